#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QImage>
#include <QLegend>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <cmath>

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

// The bar chart's series as "title: v1 v2 ...".
QStringList chartSeries(TfrmStatistics& window) {
  QStringList series;
  QBarSeries* bars = control<duvanet::chart::BarChart>(window, "chartStatistic")->barSeries();
  if (!bars) return series;
  for (const QBarSet* set : bars->barSets()) {
    QString text = set->label() + QLatin1Char(':');
    for (int i = 0; i < set->count(); ++i) text += QLatin1Char(' ') + QString::number(set->at(i));
    series << text;
  }
  return series;
}

}  // namespace

class TestStatistics : public QObject {
  Q_OBJECT

  tSequenceList m_list;

 private slots:
  void init() {
    m_list.DeleteAllSequences();
    add(m_list, QStringLiteral("first"), QStringLiteral("ACGT"));
    add(m_list, QStringLiteral("second"), QStringLiteral("AAN"));
    add(m_list, QStringLiteral("empty"), QString());
    add(m_list, QStringLiteral("mixed"), QStringLiteral("Acgt"));
    add(m_list, QStringLiteral("upper"), QStringLiteral("ACGT"));
    add(m_list, QStringLiteral("lines"), QStringLiteral("A C\r\nA\n"));
  }

  void layoutAndHints() {
    TfrmStatistics window(m_list, {0});
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
    QCOMPARE(control<QTableWidget>(window, "sgStatTable")->toolTip(),
             QStringLiteral("Spreadsheet of sequence information"));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->toolTip(),
             QStringLiteral("This splitter allows to resize the chart/table"));
    QCOMPARE(control<duvanet::chart::BarChart>(window, "chartStatistic")->toolTip(),
             QStringLiteral("Canvas for sequence statistics"));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->handleWidth(), 6);
    QCOMPARE(control<QSplitter>(window, "Splitter1")->widget(0),
             control<duvanet::chart::BarChart>(window, "chartStatistic"));
    QCOMPARE(control<QSplitter>(window, "Splitter1")->widget(1),
             control<QTableWidget>(window, "sgStatTable"));
  }

  // Counts and table for the selected rows, in list order whatever order the rows come in.
  void countsAndTable_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<QList<QList<qint64>>>("counts");
    QTest::newRow("ACGT and AAN") << QList<int>{1, 0} << QStringList{"first", "second"}
                                  << QStringList{"A", "C", "G", "T", "N"}
                                  << QList<QList<qint64>>{{1, 1, 1, 1, 0}, {2, 0, 0, 0, 1}};
    QTest::newRow("case matters") << QList<int>{3, 4} << QStringList{"mixed", "upper"}
                                  << QStringList{"A", "c", "g", "t", "C", "G", "T"}
                                  << QList<QList<qint64>>{{1, 1, 1, 1, 0, 0, 0},
                                                          {1, 0, 0, 0, 1, 1, 1}};
    QTest::newRow("empty data left out") << QList<int>{4, 2, 1} << QStringList{"second", "upper"}
                                         << QStringList{"A", "N", "C", "G", "T"}
                                         << QList<QList<qint64>>{{2, 1, 0, 0, 0}, {1, 0, 1, 1, 1}};
    QTest::newRow("blanks and line breaks")
        << QList<int>{5} << QStringList{"lines"} << QStringList{"A", " ", "C", "\r", "\n"}
        << QList<QList<qint64>>{{2, 1, 1, 1, 2}};
  }
  void countsAndTable() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, names);
    QFETCH(QStringList, symbols);
    QFETCH(QList<QList<qint64>>, counts);
    TfrmStatistics window(m_list, selected);
    const tSymbolStatistics& statistics = window.Statistics();
    QCOMPARE(statistics.SequenceNames, names);
    QCOMPARE(statistics.Symbols, symbols);
    QCOMPARE(statistics.Counts.size(), counts.size());
    for (int i = 0; i < counts.size(); ++i)
      QCOMPARE(QList<qint64>(statistics.Counts[i]), counts[i]);

    // The table: the header row holds the symbols, the first column the names.
    QCOMPARE(window.RowCount(), names.size() + 1);
    QCOMPARE(window.ColCount(), symbols.size() + 1);
    QCOMPARE(tableRow(window, 0), QStringList{QString()} + symbols);
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
    QCOMPARE(control<duvanet::chart::BarChart>(window, "chartStatistic")->categories(), symbols);
    for (int i = 0; i < names.size(); ++i) {
      QCOMPARE(control<duvanet::chart::BarChart>(window, "chartStatistic")->seriesTitle(i),
               names[i]);
      QVERIFY(!control<duvanet::chart::BarChart>(window, "chartStatistic")->marksVisible(i));
      QCOMPARE(control<duvanet::chart::BarChart>(window, "chartStatistic")->stackGroup(i), 0);
    }
    QVERIFY(!control<duvanet::chart::BarChart>(window, "chartStatistic")
                 ->barSeries()
                 ->isLabelsVisible());
  }

  void everySelectedSequenceEmpty() {
    TfrmStatistics window(m_list, {2});
    QVERIFY(window.Statistics().SequenceNames.isEmpty());
    QCOMPARE(window.RowCount(), 5);
    QCOMPARE(window.ColCount(), 5);
    for (int row = 0; row < 5; ++row) QCOMPARE(tableRow(window, row), QStringList(5, QString()));
  }

  // The count axis is labelled at whole, round steps: 1, 2 or 5 times a power of ten, at least
  // 1 and no more than ten steps over the axis.
  void countAxisSteps_data() {
    QTest::addColumn<int>("highest");
    QTest::addColumn<double>("smallestStep");
    QTest::newRow("a few symbols") << 3 << 1.0;
    QTest::newRow("a dozen") << 12 << 2.0;
    QTest::newRow("forty") << 40 << 5.0;
    QTest::newRow("a hundred and fifty") << 150 << 20.0;
    QTest::newRow("thousands") << 4321 << 500.0;
  }
  void countAxisSteps() {
    QFETCH(int, highest);
    QFETCH(double, smallestStep);
    tSequenceList list;
    add(list, QStringLiteral("long"), QString(highest, QLatin1Char('A')) + QStringLiteral("C"));
    TfrmStatistics window(list, {0});
    QValueAxis* counts = nullptr;
    for (QAbstractAxis* axis :
         control<duvanet::chart::BarChart>(window, "chartStatistic")->chart()->axes())
      if (auto* values = qobject_cast<QValueAxis*>(axis)) counts = values;
    QVERIFY(counts != nullptr);
    QVERIFY(counts->max() >= highest);
    QCOMPARE(counts->tickType(), QValueAxis::TicksDynamic);
    QCOMPARE(counts->tickAnchor(), 0.0);
    QCOMPARE(counts->labelFormat(), QStringLiteral("%.0f"));
    const double step = counts->tickInterval();
    QVERIFY2(step >= smallestStep, qPrintable(QString::number(step)));
    QVERIFY2((counts->max() - counts->min()) / step <= 10 + 1e-9,
             qPrintable(QString::number(step)));
    // The next smaller round step would need more than ten.
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / power;
    QVERIFY2(qFuzzyCompare(mantissa, 1.0) || qFuzzyCompare(mantissa, 2.0) ||
                 qFuzzyCompare(mantissa, 5.0),
             qPrintable(QString::number(step)));
    const double smaller = qFuzzyCompare(mantissa, 1.0)   ? step / 2
                           : qFuzzyCompare(mantissa, 2.0) ? step / 2
                                                          : step * 2 / 5;
    if (step > 1) QVERIFY((counts->max() - counts->min()) / smaller > 10);
  }

  void windowsAreIndependent() {
    TfrmStatistics one(m_list, {0});
    TfrmStatistics two(m_list, {1, 4});
    // A later change of the workspace does not reach an open window.
    m_list.SetSequence(0, tSequence{QStringLiteral("changed"), QStringLiteral("TTTT"), {}});
    QCOMPARE(one.Statistics().SequenceNames, QStringList{"first"});
    QCOMPARE(one.Statistics().Symbols, (QStringList{"A", "C", "G", "T"}));
    QCOMPARE(two.Statistics().SequenceNames, (QStringList{"second", "upper"}));
    QCOMPARE(one.RowCount(), 2);
    QCOMPARE(two.RowCount(), 3);
  }
};

DUVANET_TEST(TestStatistics)

}  // namespace duvanet::gui

#include "tst_Statistics.moc"
