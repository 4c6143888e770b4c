#include <QAction>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "AddressSpaceCap.h"
#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "gui/StatisticsWindow.h"

namespace duvanet::gui {

using namespace duvanet::testing;

namespace {

void add(tSequenceList& list, const QString& name, const QString& data) {
  const int index = list.AddSequence();
  list.SetSequence(index, tSequence{name, data, {}});
}

QStringList tableRow(const TfrmStatistics& window, int row) {
  QStringList cells;
  for (int column = 0; column < window.ColCount(); ++column) cells << window.Cell(column, row);
  return cells;
}

duvanet::chart::BarChart* chartOf(TfrmStatistics& window) {
  return control<duvanet::chart::BarChart>(window, "chartStatistic");
}

// The bar chart's series as "title: v1 v2 ...".
QStringList chartSeries(TfrmStatistics& window) {
  QStringList series;
  duvanet::chart::BarChart* chart = chartOf(window);
  for (qsizetype s = 0; s < chart->seriesCount(); ++s) {
    QString text = chart->seriesTitle(s) + QLatin1Char(':');
    for (qsizetype c = 0; c < chart->categories().size(); ++c)
      text += QLatin1Char(' ') + QString::number(chart->value(s, c));
    series << text;
  }
  return series;
}

QStringList namesOf(const tSymbolStatistics& statistics) {
  QStringList names;
  for (qsizetype i = 0; i < statistics.SequenceCount(); ++i) names << statistics.SequenceName(i);
  return names;
}

}  // namespace

class TestStatistics : public QObject {
  Q_OBJECT

  tSequenceList m_list;
  FakePorts m_ports;

 private slots:
  void init() {
    m_ports.prompts.shown.clear();
    m_list.DeleteAllSequences();
    add(m_list, QStringLiteral("first"), QStringLiteral("ACGT"));
    add(m_list, QStringLiteral("second"), QStringLiteral("AAN"));
    add(m_list, QStringLiteral("empty"), QString());
    add(m_list, QStringLiteral("mixed"), QStringLiteral("Acgt"));
    add(m_list, QStringLiteral("upper"), QStringLiteral("ACGT"));
    add(m_list, QStringLiteral("lines"), QStringLiteral("A C\r\nA\n"));
  }

  void layoutAndHints() {
    TfrmStatistics window(m_list, {0}, m_ports.ports());
    QCOMPARE(window.windowTitle(), QStringLiteral("frmStatistics"));
    QVERIFY(window.isWindow());
    QCOMPARE(window.size(), QSize(608, 476));
    QCOMPARE(control<QPushButton>(window, "btStatSave")->text(), QStringLiteral("Save"));
    QCOMPARE(control<QPushButton>(window, "btStatSave")->toolTip(),
             QStringLiteral("Save this chart"));
    QCOMPARE(control<QPushButton>(window, "btStatPrint")->text(), QStringLiteral("Print"));
    QCOMPARE(control<QPushButton>(window, "btStatPrint")->toolTip(),
             QStringLiteral("Print this chart"));
    QCOMPARE(control<QPushButton>(window, "btStatLegend")->text(), QStringLiteral("Legend"));
    QCOMPARE(control<QWidget>(window, "Panel1")->width(), 124);
    QCOMPARE(control<QPushButton>(window, "btStatSave")->width(), 119);
    QCOMPARE(control<QTableView>(window, "sgStatTable")->toolTip(),
             QStringLiteral("Spreadsheet of sequence information"));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->toolTip(),
             QStringLiteral("This splitter allows to resize the chart/table"));
    QCOMPARE(chartOf(window)->toolTip(), QStringLiteral("Canvas for sequence statistics"));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->handleWidth(), 6);
    QCOMPARE(control<QSplitter>(window, "Splitter1")->widget(0), chartOf(window));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->widget(1),
             control<QTableView>(window, "sgStatTable"));
  }

  // Counts and table for the selected rows, in list order whatever order the rows come in.
  void countsAndTable_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<QList<qint64>>>("counts");
    QTest::newRow("ACGT and AAN") << QList<int>{1, 0} << QStringList{"first", "second"}
                                  << QStringList{"A", "C", "G", "T", "N"}
                                  << QStringList{"A", "C", "G", "T", "N"}
                                  << QList<QList<qint64>>{{1, 1, 1, 1, 0}, {2, 0, 0, 0, 1}};
    QTest::newRow("case matters") << QList<int>{3, 4} << QStringList{"mixed", "upper"}
                                  << QStringList{"A", "c", "g", "t", "C", "G", "T"}
                                  << QStringList{"A", "c", "g", "t", "C", "G", "T"}
                                  << QList<QList<qint64>>{{1, 1, 1, 1, 0, 0, 0},
                                                          {1, 0, 0, 0, 1, 1, 1}};
    QTest::newRow("empty data left out")
        << QList<int>{4, 2, 1} << QStringList{"second", "upper"}
        << QStringList{"A", "N", "C", "G", "T"} << QStringList{"A", "N", "C", "G", "T"}
        << QList<QList<qint64>>{{2, 1, 0, 0, 0}, {1, 0, 1, 1, 1}};
    QTest::newRow("blanks and line breaks")
        << QList<int>{5} << QStringList{"lines"} << QStringList{"A", " ", "C", "\r", "\n"}
        << QStringList{"A", "\u2423", "C", "CR", "LF"} << QList<QList<qint64>>{{2, 1, 1, 1, 2}};
  }
  void countsAndTable() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, names);
    QFETCH(QStringList, symbols);
    QFETCH(QStringList, labels);
    QFETCH(QList<QList<qint64>>, counts);
    TfrmStatistics window(m_list, selected, m_ports.ports());
    QCOMPARE(window.Outcome(), TfrmStatistics::CountOutcome::Counted);
    const tSymbolStatistics& statistics = window.Statistics();
    QCOMPARE(namesOf(statistics), names);
    QCOMPARE(statistics.Symbols(), symbols);
    QCOMPARE(statistics.SequenceCount(), counts.size());
    for (int i = 0; i < counts.size(); ++i)
      for (int j = 0; j < counts[i].size(); ++j) QCOMPARE(statistics.Count(i, j), counts[i][j]);

    // The table: the header row holds the symbols' visible labels, the first column the names.
    QCOMPARE(window.RowCount(), names.size() + 1);
    QCOMPARE(window.ColCount(), symbols.size() + 1);
    QCOMPARE(tableRow(window, 0), QStringList{QString()} + labels);
    for (int i = 0; i < names.size(); ++i) {
      QStringList expected{names[i]};
      for (const qint64 count : counts[i]) expected << QString::number(count);
      QCOMPARE(tableRow(window, i + 1), expected);
    }

    // The chart: one series per sequence, named after it, one bar position per symbol.
    QStringList series;
    for (int i = 0; i < names.size(); ++i) {
      QString text = names[i] + QLatin1Char(':');
      for (const qint64 count : counts[i]) text += QLatin1Char(' ') + QString::number(count);
      series << text;
    }
    QCOMPARE(chartSeries(window), series);
    QCOMPARE(chartOf(window)->categories(), labels);
    for (int i = 0; i < names.size(); ++i) {
      QCOMPARE(chartOf(window)->seriesTitle(i), names[i]);
      QVERIFY(!chartOf(window)->marksVisible(i));
      QCOMPARE(chartOf(window)->stackGroup(i), 0);
    }
    QVERIFY(m_ports.prompts.shown.isEmpty());
  }

  void everySelectedSequenceEmpty() {
    TfrmStatistics window(m_list, {2}, m_ports.ports());
    QCOMPARE(window.Outcome(), TfrmStatistics::CountOutcome::NothingCounted);
    QVERIFY(window.Statistics().IsEmpty());
    QCOMPARE(chartOf(window)->seriesCount(), 0);
    QCOMPARE(window.RowCount(), 5);
    QCOMPARE(window.ColCount(), 5);
    for (int row = 0; row < 5; ++row) QCOMPARE(tableRow(window, row), QStringList(5, QString()));
  }

  // At the window's default size every label is whole: the value axis steps far enough apart
  // for its labels, the widest value label fits beside the axis, and the symbols below the bars
  // stand far enough apart (every one where they fit, else every n-th).
  void labelsReadableAtDefaultSize_data() {
    QTest::addColumn<int>("symbols");
    QTest::addColumn<int>("highest");
    QTest::newRow("4 symbols, a dozen") << 4 << 12;
    QTest::newRow("4 symbols, thousands") << 4 << 43210;
    QTest::newRow("48 symbols") << 48 << 150;
  }
  void labelsReadableAtDefaultSize() {
    QFETCH(int, symbols);
    QFETCH(int, highest);
    tSequenceList list;
    QString data(highest, QLatin1Char('A'));
    for (int i = 1; i < symbols; ++i) data += QChar(u'A' + i);
    add(list, QStringLiteral("long"), data);
    TfrmStatistics window(list, {0}, m_ports.ports());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    duvanet::chart::BarChart* chart = chartOf(window);
    QCOMPARE(chart->categories().size(), symbols);
    const duvanet::chart::BarChartAxes axes = chart->axesAt(chart->size());
    const QFontMetricsF metrics(chart->labelFont());
    QCOMPARE(chart->labelFont().pixelSize(), 13);
    QVERIFY(chart->labelFont().bold());
    QVERIFY(axes.top >= highest);
    QVERIFY(axes.plot.height() * axes.step / axes.top >= 2 * metrics.height() - 1e-9);
    QVERIFY(metrics.horizontalAdvance(QString::number(axes.top, 'f', 0)) < axes.plot.left());
    double widest = 0;
    for (const QString& label : chart->categories())
      widest = std::max(widest, metrics.horizontalAdvance(label));
    const double categoryWidth = axes.plot.width() / symbols;
    QVERIFY(categoryWidth * double(axes.labelEvery) >= widest);
    QCOMPARE(axes.labelEvery == 1, categoryWidth >= widest + metrics.horizontalAdvance(' ') * 1.5);
  }

  // Blank, tab, CR and LF are shown by name, and the header keeps one line of text.
  void invisibleSymbolsGetLabels() {
    tSequenceList list;
    add(list, QStringLiteral("letters"), QStringLiteral("AC"));
    add(list, QStringLiteral("blanks"), QStringLiteral(" \t\r\nA"));
    TfrmStatistics letters(list, {0}, m_ports.ports());
    TfrmStatistics blanks(list, {1}, m_ports.ports());
    const QStringList labels{QString(), "\u2423", "TAB", "CR", "LF", "A"};
    QCOMPARE(tableRow(blanks, 0), labels);
    QCOMPARE(chartOf(blanks)->categories(), labels.mid(1));
    QCOMPARE(blanks.Statistics().Symbols(), (QStringList{" ", "\t", "\r", "\n", "A"}));
    QCOMPARE(control<QTableView>(blanks, "sgStatTable")->horizontalHeader()->sizeHint().height(),
             control<QTableView>(letters, "sgStatTable")->horizontalHeader()->sizeHint().height());
  }

  // The user drags the line below a row to make it taller or lower.
  void rowsCanBeResized() {
    TfrmStatistics window(m_list, {0, 1}, m_ports.ports());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* table = control<QTableView>(window, "sgStatTable");
    QWidget* grid = table->viewport();
    const int before = table->rowHeight(0);
    const int border = table->rowViewportPosition(0) + before;
    const QPoint start(40, border);
    QTest::mouseMove(grid, start);
    QCOMPARE(grid->cursor().shape(), Qt::SplitVCursor);
    QTest::mousePress(grid, Qt::LeftButton, {}, start);
    QTest::mouseMove(grid, start + QPoint(0, 15));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, start + QPoint(0, 15));
    QCOMPARE(table->rowHeight(0), before + 15);
    QCOMPARE(table->rowHeight(1), before);
    // Away from a border the pointer selects as usual.
    QTest::mouseMove(grid, QPoint(40, table->rowViewportPosition(1) + before / 2));
    QVERIFY(grid->cursor().shape() != Qt::SplitVCursor);
  }

  // Ten thousand rows: a table over the counts, one series per row.
  void manyRows() {
    tSequenceList list;
    QList<int> rows;
    for (int i = 0; i < 10'000; ++i) {
      add(list, QStringLiteral("r%1").arg(i), QString(i % 7 + 1, QChar(u"ACGT"[i % 4])));
      rows << i;
    }
    TfrmStatistics window(list, rows, m_ports.ports());
    QCOMPARE(window.Outcome(), TfrmStatistics::CountOutcome::Counted);
    QCOMPARE(window.RowCount(), 10'001);
    QCOMPARE(window.ColCount(), 5);
    QCOMPARE(tableRow(window, 9'999 + 1), (QStringList{"r9999", "0", "0", "0", "4"}));
    QCOMPARE(chartOf(window)->seriesCount(), 10'000);
    QCOMPARE(chartOf(window)->value(6, 2), 7.0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!chartOf(window)->grab().isNull());
  }

  // A count that takes a while shows its progress; Cancel ends it and no counts are kept.
  void cancelWhileCounting() {
    tSequenceList list;
    const QString data(1'000'000, QLatin1Char('A'));  // shared by every entry
    QList<int> rows;
    for (int i = 0; i < 400; ++i) {
      add(list, QStringLiteral("s%1").arg(i), data);
      rows << i;
    }
    QWidget owner;
    QString label;
    bool sawProgress = false;
    onNextModal([&](QWidget* modal) {
      auto* progress = qobject_cast<QProgressDialog*>(modal);
      sawProgress = progress != nullptr;
      if (!progress) {
        modal->close();
        return;
      }
      label = progress->labelText();
      progress->cancel();
    });
    TfrmStatistics window(list, rows, m_ports.ports(), &owner, 0);
    QVERIFY(sawProgress);
    QCOMPARE(label, QStringLiteral("Counting the symbols ..."));
    QCOMPARE(window.Outcome(), TfrmStatistics::CountOutcome::Cancelled);
    QVERIFY(window.Statistics().IsEmpty());
    QCOMPARE(chartOf(window)->seriesCount(), 0);
    QCOMPARE(window.RowCount(), 5);
    QVERIFY(m_ports.prompts.shown.isEmpty());
  }

  // Counts that do not fit into memory end the action with the error box, not the program.
  // Runs in a child process with a capped address space.
  void outOfMemoryShowsTheErrorBox() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    tSequenceList list;
    QString symbols;
    for (int k = 0; k < 1000; ++k) symbols += QChar(0x100 + k);
    QList<int> rows;
    for (int i = 0; i < 20'000; ++i) {
      add(list, QStringLiteral("w%1").arg(i), symbols);  // 160 MB of counts in all
      rows << i;
    }
    QWidget owner;
    const int result = duvanet::testing::runCapped(48 << 20, [&] {
      FakePorts ports;
      // No progress dialog: nothing may paint in the child, as the raster painter's helper
      // threads are not forked and waiting for them would never end.
      TfrmStatistics window(list, rows, ports.ports(), &owner, 600'000);
      if (window.Outcome() != TfrmStatistics::CountOutcome::Failed) return 1;
      if (!window.Statistics().IsEmpty()) return 2;
      const QStringList expected{
          "error: Not enough memory to count the symbols of the selected sequences."};
      return ports.prompts.texts() == expected ? 0 : 3;
    });
    QCOMPARE(result, 0);
#endif
  }

  void legendButtonToggles() {
    TfrmStatistics window(m_list, {0, 1}, m_ports.ports());
    QVERIFY(!chartOf(window)->legendVisible());
    QTest::mouseClick(control<QPushButton>(window, "btStatLegend"), Qt::LeftButton);
    QVERIFY(chartOf(window)->legendVisible());
    QTest::mouseClick(control<QPushButton>(window, "btStatLegend"), Qt::LeftButton);
    QVERIFY(!chartOf(window)->legendVisible());
  }

  void closingEmptiesTheChart() {
    TfrmStatistics window(m_list, {0, 1}, m_ports.ports());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(chartOf(window)->seriesCount(), 2);
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(chartOf(window)->seriesCount(), 0);
  }

  // Save asks through the window's file dialogs and writes the chart.
  void saveGoesThroughThePorts() {
    TfrmStatistics window(m_list, {0, 1}, m_ports.ports());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTemporaryDir dir;
    m_ports.fileDialogs.saveAsAnswers.push_back(duvanet::chart::FileDialogs::SaveChoice{
        dir.filePath("stats"), QStringLiteral("PNG image (*.png)")});
    QTest::mouseClick(control<QPushButton>(window, "btStatSave"), Qt::LeftButton);
    QCOMPARE(m_ports.fileDialogs.saveAsCaptions.size(), 1);
    const QImage saved(dir.filePath("stats.png"));
    QVERIFY(!saved.isNull());
    int bars = 0;
    for (int y = 0; y < saved.height(); ++y)
      for (int x = 0; x < saved.width(); ++x)
        bars += saved.pixelColor(x, y) == chartOf(window)->seriesColour(1) ? 1 : 0;
    QVERIFY(bars > 50);
  }

  void windowsAreIndependent() {
    TfrmStatistics one(m_list, {0}, m_ports.ports());
    TfrmStatistics two(m_list, {1, 4}, m_ports.ports());
    // A later change of the workspace does not reach an open window.
    m_list.SetSequence(0, tSequence{QStringLiteral("changed"), QStringLiteral("TTTT"), {}});
    QCOMPARE(namesOf(one.Statistics()), QStringList{"first"});
    QCOMPARE(one.Statistics().Symbols(), (QStringList{"A", "C", "G", "T"}));
    QCOMPARE(namesOf(two.Statistics()), (QStringList{"second", "upper"}));
    QCOMPARE(one.RowCount(), 2);
    QCOMPARE(two.RowCount(), 3);
  }
};

DUVANET_TEST(TestStatistics)

}  // namespace duvanet::gui

#include "tst_Statistics.moc"
