#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "chart/PictureSizeDialog.h"
#include "gui/ApplicationTitle.h"
#include "gui/DotPlotWindow.h"
#include "widgets/DoubleSlider.h"

namespace duvanet::gui {

using namespace duvanet::testing;

using duvanet::chart::ChartAxis;
using duvanet::chart::ColourBarBox;
using duvanet::chart::ColourGridChart;

namespace {

const QString kIupac = QStringLiteral(
    "warning: Characters found that are not listed as standard IUPAC abbreviations for nucleic "
    "acids or their ambiguities in DNA molecules. Information obtained from the dot plot might "
    "be subject to errors.");
const QString kReverted = QStringLiteral(
    "warning: Problems occured while creating the reverted strand of the requested sequence. "
    "Information obtained from the dot plot might be subject to errors.");
const QString kError =
    QStringLiteral("warning: An error occured while creating the requested dot plot.");

tSequence seq(const QString& name, const QString& data) { return tSequence{name, data, {}}; }

// A window with its own prompts, destroyed with the test's owner widget.
struct Fixture {
  QWidget owner;
  FakePrompts prompts;
  TfrmDotPlot* window = new TfrmDotPlot(&owner, &prompts);
};

// The chart pixel at the middle of the cell of start positions (x, y).
QPoint cellPixel(const TfrmDotPlot& window, int x, int y) {
  return {
      static_cast<int>(std::lround(
          control<ColourGridChart>(window, "chartDotPlot")->valueToPixel(ChartAxis::Top, x + 0.5))),
      static_cast<int>(std::lround(control<ColourGridChart>(window, "chartDotPlot")
                                       ->valueToPixel(ChartAxis::Left, y + 0.5)))};
}

void showAndWait(QWidget* window) {
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QApplication::processEvents();
}

}  // namespace

class TestDotPlotWindow : public QObject {
  Q_OBJECT

 private slots:
  void constructorMeasuresTheStripFontOnly() {
    Fixture f;
    QVERIFY(f.window->CharWidth() > 1);
    QVERIFY(f.window->LineHeight() > 2);
    // 9 points at the screen's resolution, plus 2.
    QCOMPARE(f.window->LineHeight(),
             QFontInfo(QFont(QStringLiteral("Courier New"), 9, QFont::Bold)).pixelSize() + 2);
    QCOMPARE(f.window->plotState().WindowSize, 0);
    QCOMPARE(f.window->plotState().MaxScore, 0);
    QVERIFY(f.window->plotState().SeqHoriz.Name.isEmpty() &&
            f.window->plotState().SeqHorizRev.Data.isEmpty());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Dot plot"));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(), QStringLiteral("panInfoDot"));
    QVERIFY(control<QCheckBox>(f.window, "cbMouseSequenceTracking")->isChecked());
    QVERIFY(control<QRadioButton>(f.window, "rbGreyChart")->isChecked());
    QCOMPARE(control<QLineEdit>(f.window, "Edit1")->text(), QStringLiteral("0"));
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Left));
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Top));
  }

  // Every control of the right panel can be seen and clicked: none lies on another, the
  // "Tracks" box (shown when a sequence has features) included.
  void rightPanelControlsDoNotOverlap() {
    Fixture f;
    auto* panel = control<QFrame>(f.window, "Panel1");
    const QList<QWidget*> parts = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QVERIFY(parts.size() > 5);
    for (int i = 0; i < parts.size(); ++i) {
      for (int j = i + 1; j < parts.size(); ++j) {
        QVERIFY2(!parts[i]->geometry().intersects(parts[j]->geometry()),
                 qPrintable(parts[i]->objectName() + QStringLiteral(" lies on ") +
                            parts[j]->objectName()));
      }
    }
  }

  void prepareBuildsStrandsAndShowsMessagesInOrder_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<QString>("horiz");
    QTest::addColumn<QString>("verti");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("horizRev");
    QTest::addColumn<QString>("vertiRev");
    QTest::addColumn<int>("maxScore");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("cells");

    QTest::newRow("identity, case-insensitive") << 0 << 0 << "acgt"
                                                << "ACGT" << true << 4 << ""
                                                << "" << 4 << QStringList{} << true;
    QTest::newRow("dna horizontal with U") << 1 << 0 << "ACGU"
                                           << "ACGU" << false << 2 << "UCGT"
                                           << "" << 2 << QStringList{kIupac} << true;
    QTest::newRow("dna both with X: one warning") << 3 << 0 << "ACXGT"
                                                  << "ACGT" << false << 2 << "ACXGT"
                                                  << "ACGT" << 2 << QStringList{kIupac} << true;
    QTest::newRow("literal horizontal, empty horizontal")
        << 4 << 0 << ""
        << "ABC" << false << 3 << ""
        << "" << 3 << QStringList{kReverted, kError} << false;
    QTest::newRow("identity shorter than the window: silent") << 0 << 0 << "AC"
                                                              << "ACGT" << false << 3 << ""
                                                              << "" << 3 << QStringList{} << false;
    QTest::newRow("dna vertical, summed") << 2 << 2 << "AAAAAAAAAAAAAA"
                                          << "ACGTACGTACGTAC" << false << 12 << ""
                                          << "GTACGTACGTACGT" << 24 << QStringList{} << true;
    QTest::newRow("literal both, summed") << 6 << 2 << "ABCDEFGHIJKLM"
                                          << "ABCDEFGHIJKLM" << false << 12 << "MLKJIHGFEDCBA"
                                          << "MLKJIHGFEDCBA" << 36 << QStringList{} << true;
    QTest::newRow("literal both, lowest") << 6 << 1 << "ABCDEFGHIJKLM"
                                          << "ABCDEFGHIJKLM" << false << 12 << "MLKJIHGFEDCBA"
                                          << "MLKJIHGFEDCBA" << 12 << QStringList{} << true;
    QTest::newRow("dna horizontal shorter than the window: error")
        << 1 << 0 << "ACG"
        << "ACGTACGT" << false << 5 << "CGT"
        << "" << 5 << QStringList{kError} << false;
    QTest::newRow("dna both, both empty: one warning, then the error")
        << 3 << 0 << ""
        << "" << false << 2 << ""
        << "" << 2 << QStringList{kIupac, kError} << false;
  }
  void prepareBuildsStrandsAndShowsMessagesInOrder() {
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(QString, horiz);
    QFETCH(QString, verti);
    QFETCH(bool, caseInsensitive);
    QFETCH(int, window);
    QFETCH(QString, horizRev);
    QFETCH(QString, vertiRev);
    QFETCH(int, maxScore);
    QFETCH(QStringList, messages);
    QFETCH(bool, cells);
    Fixture f;
    const auto outcome = f.window->PrepareDotPlot(
        static_cast<tDotPlotType>(type), seq("Horizontal", horiz), seq("Vertical", verti),
        caseInsensitive, window, static_cast<tMatchEvaluation>(evaluation));
    QCOMPARE(outcome, TfrmDotPlot::PrepareOutcome::Completed);
    QCOMPARE(f.prompts.texts(), messages);
    QCOMPARE(f.window->plotState().SeqHoriz.Data, caseInsensitive ? horiz.toUpper() : horiz);
    QCOMPARE(f.window->plotState().SeqHorizRev.Data, horizRev);
    QCOMPARE(f.window->plotState().SeqVertiRev.Data, vertiRev);
    // The opposite records always carry the names, whatever the type.
    QCOMPARE(f.window->plotState().SeqHorizRev.Name, QStringLiteral("Horizontal"));
    QCOMPARE(f.window->plotState().SeqVertiRev.Name, QStringLiteral("Vertical"));
    QCOMPARE(f.window->plotState().MaxScore, maxScore);
    QCOMPARE(f.window->plotState().WindowSize, window);
    QCOMPARE(int(f.window->plotState().PlotType), type);
    QCOMPARE(int(f.window->plotState().Evaluation), evaluation);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->hasSeries(), cells);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->axis(ChartAxis::Top).title,
             QStringLiteral("Horizontal"));
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->axis(ChartAxis::Left).title,
             QStringLiteral("Vertical"));
    // The slider and the highlight level run over 0 .. MaxScore; one palette entry per level.
    QCOMPARE(control<TDblSlider>(f.window, "dblslColor")->Min(), 0);
    QCOMPARE(control<TDblSlider>(f.window, "dblslColor")->Max(), maxScore);
    QCOMPARE(control<TDblSlider>(f.window, "dblslColor")->Position1(), 0);
    QCOMPARE(control<TDblSlider>(f.window, "dblslColor")->Position2(), maxScore);
    QCOMPARE(control<duvanet::widgets::UpDownControl>(f.window, "udHighlightColour")->maximum(),
             maxScore);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->paletteCount(), maxScore + 1);
    QVERIFY(!f.window->isVisible());
  }

  void caseDecidesTheCount() {
    // acgt against ACGT, window 4: one cell; its count shows in the strip and in the cell colour.
    for (const bool caseInsensitive : {true, false}) {
      Fixture f;
      f.window->PrepareDotPlot(dptIdentity, seq("a", "acgt"), seq("b", "ACGT"), caseInsensitive, 4,
                               meHighest);
      QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->plotCells(),
               (duvanet::engine::CellRect{0, 0, 1, 1}));
      showAndWait(f.window);
      QCOMPARE(f.window->stripPicture(0, 0).combinedCount, caseInsensitive ? 4 : 0);
      const QImage image = control<ColourGridChart>(f.window, "chartDotPlot")->grab().toImage();
      const QPoint p = cellPixel(*f.window, 1, 1);
      QCOMPARE(QColor(image.pixel(p)), QColor(control<ColourGridChart>(f.window, "chartDotPlot")
                                                  ->countColour(caseInsensitive ? 4 : 0)));
    }
  }

  void captionNamesTheType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("0") << 0 << " - Identity dot plot.";
    QTest::newRow("1") << 1
                       << " - DNA dot plot, including reverse complement of horizontal strand.";
    QTest::newRow("2") << 2 << " - DNA dot plot, including reverse complement of vertical strand.";
    QTest::newRow("3") << 3 << " - DNA dot plot, including reverse complement of both strands.";
    QTest::newRow("4") << 4
                       << " - Literal dot plot, including reverted sequence of horizontal strand.";
    QTest::newRow("5") << 5
                       << " - Literal dot plot, including reverted sequence of vertical strand.";
    QTest::newRow("6") << 6 << " - Literal dot plot, including reverse complement of both strands.";
  }
  void captionNamesTheType() {
    QFETCH(int, type);
    QFETCH(QString, suffix);
    Fixture f;
    f.window->PrepareDotPlot(static_cast<tDotPlotType>(type), seq("h", "ACGTAC"),
                             seq("v", "ACGTAC"), true, 2, meHighest);
    showAndWait(f.window);
    QCOMPARE(f.window->windowTitle(), duvanet::gui::ApplicationTitle() + suffix);
  }

  void mouseMoveShowsTheCellUnderTheMouse() {
    Fixture f;
    // GUMMIBAUM against itself, both reverted strands, window 2 (the developer's test plot).
    f.window->PrepareDotPlot(dptLiteralBoth, seq("Test Seq1a", "GUMMIBAUM"),
                             seq("Test Seq2a", "GUMMIBAUM"), false, 2, meHighest);
    showAndWait(f.window);
    // The first paint shows positions 1 and 1.
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(),
             QStringLiteral("Highest matches at position (1/1) = 2 of 2 possible matches; "
                            "Window size :2"));
    // x = 2, y = 8: UM against UM.
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"),
                     cellPixel(*f.window, 2, 8));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(),
             QStringLiteral("Highest matches at position (2/8) = 2 of 2 possible matches; "
                            "Window size :2"));
    // x = 1, y = 7: GU against AU, one forward match; the reverted pairs UG/AU and UA/GU none.
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"),
                     cellPixel(*f.window, 1, 7));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(),
             QStringLiteral("Highest matches at position (1/7) = 1 of 2 possible matches; "
                            "Window size :2"));
    QCOMPARE(control<duvanet::gui::SequenceDisplayBox>(f.window, "imgSequenceDisplay")
                 ->picture()
                 ->positionVerti,
             7);
    // Outside the plotted cells nothing changes.
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"), QPoint(1, 1));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text().left(34),
             QStringLiteral("Highest matches at position (1/7) "));
  }

  void invertedAxesKeepTheCellUnderTheMouse() {
    Fixture f;
    f.window->PrepareDotPlot(dptIdentity, seq("h", "ABCDEFGHIJ"), seq("v", "ABCDEFGHIJKLMNOP"),
                             false, 3, meHighest);
    showAndWait(f.window);
    const QPoint before = cellPixel(*f.window, 2, 9);
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotInvAxisHoriz"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotInvAxisVert"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Top));
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Left));
    const QPoint after = cellPixel(*f.window, 2, 9);
    QVERIFY(after != before);
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"), after);
    QVERIFY(control<QLabel>(f.window, "panInfoDot")
                ->text()
                .startsWith(QStringLiteral("Highest matches at position (2/9) = 0 of 3")));
    // Twice restores the former axes.
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotInvAxisHoriz"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotInvAxisVert"), Qt::LeftButton);
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Top));
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->axisInverted(ChartAxis::Left));
    QCOMPARE(cellPixel(*f.window, 2, 9), before);
  }

  void trackingOffWaitsForALeftClick() {
    Fixture f;
    f.window->PrepareDotPlot(dptDNABoth, seq("h", "ACGTACGTAC"), seq("v", "TTGCAACGTA"), true, 4,
                             meSummed);
    showAndWait(f.window);
    QTest::mouseClick(control<QCheckBox>(f.window, "cbMouseSequenceTracking"), Qt::LeftButton);
    QVERIFY(!control<QCheckBox>(f.window, "cbMouseSequenceTracking")->isChecked());
    const QString start = control<QLabel>(f.window, "panInfoDot")->text();
    QVERIFY(start.startsWith(QStringLiteral("Summed matches at position (1/1) = ")));
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"),
                     cellPixel(*f.window, 3, 5));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(), start);
    QTest::mouseClick(control<ColourGridChart>(f.window, "chartDotPlot"), Qt::RightButton, {},
                      cellPixel(*f.window, 3, 5));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(), start);
    QTest::mouseClick(control<ColourGridChart>(f.window, "chartDotPlot"), Qt::LeftButton, {},
                      cellPixel(*f.window, 3, 5));
    const auto expected = f.window->stripPicture(2, 4);
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(), expected.infoLine);
    QVERIFY(expected.infoLine.startsWith(QStringLiteral("Summed matches at position (3/5) = ")));
    QVERIFY(expected.infoLine.endsWith(QStringLiteral(" of 12 possible matches; Window size :4")));
    // With tracking on, a click changes nothing by itself and a move follows the mouse.
    QTest::mouseClick(control<QCheckBox>(f.window, "cbMouseSequenceTracking"), Qt::LeftButton);
    QTest::mouseClick(control<ColourGridChart>(f.window, "chartDotPlot"), Qt::LeftButton, {},
                      cellPixel(*f.window, 1, 1));
    QCOMPARE(control<QLabel>(f.window, "panInfoDot")->text(), expected.infoLine);
  }

  void repaintingResetsTheStripToTheFirstCell() {
    Fixture f;
    f.window->PrepareDotPlot(dptIdentity, seq("h", "ACGTACGTAC"), seq("v", "ACGTACGTAC"), false, 2,
                             meHighest);
    showAndWait(f.window);
    QTest::mouseMove(control<ColourGridChart>(f.window, "chartDotPlot"),
                     cellPixel(*f.window, 4, 6));
    QVERIFY(control<QLabel>(f.window, "panInfoDot")->text().contains(QStringLiteral("(4/6)")));
    f.window->resize(f.window->width() + 40, f.window->height() + 30);
    QTRY_VERIFY(control<QLabel>(f.window, "panInfoDot")->text().contains(QStringLiteral("(1/1)")));
  }

  void colourUpdatesAfterDrawingSettle() {
    // Every drawing ends with a colour update; it must not start drawing after drawing.
    Fixture f;
    f.window->PrepareDotPlot(dptDNAHoriz, seq("h", "ACGTTGCAACGT"), seq("v", "TTGCAACGTACG"), false,
                             3, meHighest);
    showAndWait(f.window);
    control<duvanet::widgets::UpDownControl>(f.window, "udHighlightColour")->setValue(2);
    QTest::mouseClick(control<QPushButton>(f.window, "btHighlightColour"), Qt::LeftButton);
    QTest::qWait(100);
    const int settled = control<ColourGridChart>(f.window, "chartDotPlot")->drawCount();
    QTest::qWait(300);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->drawCount(), settled);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->paletteColour(2),
             QColor(255, 0, 0));
  }

  void legendToggleTwiceRestores() {
    Fixture f;
    f.window->PrepareDotPlot(dptIdentity, seq("h", "ACGT"), seq("v", "ACGT"), false, 2, meHighest);
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->legendVisible());
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotLegend"), Qt::LeftButton);
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->legendVisible());
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotLegend"), Qt::LeftButton);
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->legendVisible());
  }

  void colourControlsReshapeThePalette() {
    Fixture f;
    f.window->PrepareDotPlot(dptIdentity, seq("h", "ACGTACGTACGTACGT"),
                             seq("v", "ACGTACGTACGTACGT"), false, 12, meHighest);
    auto* chart = control<ColourGridChart>(f.window, "chartDotPlot");
    QCOMPARE(chart->paletteColour(12), QColor(255, 255, 255));
    QCOMPARE(chart->paletteColour(1), QColor(38, 38, 38));
    QTest::mouseClick(control<QRadioButton>(f.window, "rbGreenChart"), Qt::LeftButton);
    QCOMPARE(chart->paletteColour(12), QColor(0, 255, 0));
    control<TDblSlider>(f.window, "dblslColor")->setPosition1(4);
    control<TDblSlider>(f.window, "dblslColor")->setPosition2(8);
    QCOMPARE(chart->paletteColour(4), QColor(0, 0, 0));
    QCOMPARE(chart->paletteColour(5), QColor(0, 102, 0));
    QCOMPARE(chart->paletteColour(7), QColor(0, 204, 0));
    // The highlighted level turns red while the button is down, until the next update after.
    control<duvanet::widgets::UpDownControl>(f.window, "udHighlightColour")->setValue(6);
    QTest::mouseClick(control<QPushButton>(f.window, "btHighlightColour"), Qt::LeftButton);
    QCOMPARE(chart->paletteColour(6), QColor(255, 0, 0));
    QTest::mouseClick(control<QPushButton>(f.window, "btHighlightColour"), Qt::LeftButton);
    QCOMPARE(chart->paletteColour(6), QColor(0, 153, 0));
  }

  void closingEmptiesThePlotAndHides() {
    Fixture f;
    f.window->PrepareDotPlot(dptDNABoth, seq("h", "ACGTAC"), seq("v", "ACGTAC"), false, 2,
                             meHighest);
    showAndWait(f.window);
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->hasSeries());
    QVERIFY(f.window->close());
    QVERIFY(!f.window->isVisible());
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->hasSeries());
    for (const tSequence* record :
         {&f.window->plotState().SeqHoriz, &f.window->plotState().SeqVerti,
          &f.window->plotState().SeqHorizRev, &f.window->plotState().SeqVertiRev}) {
      QVERIFY(record->Name.isEmpty());
      QVERIFY(record->Data.isEmpty());
    }
    // The window lives on, hidden, until its owner goes.
    QCOMPARE(f.owner.findChildren<TfrmDotPlot*>().size(), 1);
  }

  void largePlotIsBinnedAndZoomsToFullResolution() {
    Fixture f;
    f.window->setExactBudgetCells(1000);
    f.window->setMaxBinsPerSide(30);
    QString a, b;
    for (int i = 0; i < 300; ++i) {
      a += QChar(u"ACGT"[(i * 7 + i / 3) % 4]);
      b += QChar(u"ACGT"[(i * 5 + i / 7) % 4]);
    }
    f.window->PrepareDotPlot(dptDNAHoriz, seq("h", a), seq("v", b), false, 4, meHighest);
    QCOMPARE(control<ColourGridChart>(f.window, "chartDotPlot")->plotCells(),
             (duvanet::engine::CellRect{0, 0, 297, 297}));
    showAndWait(f.window);
    control<ColourGridChart>(f.window, "chartDotPlot")->zoomTo(10, 30, 20, 40);
    QTRY_VERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->detailGrid() != nullptr);
    QVERIFY(control<ColourGridChart>(f.window, "chartDotPlot")->detailGrid()->isExact());
  }

  void cancellingTheProgressDialogDiscardsThePlot() {
    Fixture f;
    f.window->setProgressDelayMs(0);
    const QString a(20000, QLatin1Char('A'));
    bool sawProgress = false;
    onNextModal([&](QWidget* modal) {
      auto* progress = qobject_cast<QProgressDialog*>(modal);
      sawProgress = progress != nullptr;
      if (progress)
        progress->cancel();
      else
        modal->close();
    });
    const auto outcome =
        f.window->PrepareDotPlot(dptDNABoth, seq("h", a), seq("v", a), false, 12, meSummed);
    QVERIFY(sawProgress);
    QCOMPARE(outcome, TfrmDotPlot::PrepareOutcome::Cancelled);
    QVERIFY(!control<ColourGridChart>(f.window, "chartDotPlot")->hasSeries());
    QVERIFY(f.prompts.shown.isEmpty());
  }

  // Save and Customise ask through the ports the window was given.
  void chartDialogsGoThroughThePorts() {
    QWidget owner;
    FakePorts ports;
    auto* window = new TfrmDotPlot(&owner, ports.ports());
    window->PrepareDotPlot(dptIdentity, seq("h", "ACGTACGT"), seq("v", "ACGTTT"), false, 2,
                           meHighest);
    showAndWait(window);
    QTemporaryDir dir;
    ports.fileDialogs.saveAsAnswers.push_back(duvanet::chart::FileDialogs::SaveChoice{
        dir.filePath("plot"), QStringLiteral("PNG image (*.png)")});
    // After the file, the picture's size: the chart's on screen unless the user changes it.
    QSize offered;
    onNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      QVERIFY(dialog);
      offered = qobject_cast<duvanet::chart::PictureSizeDialog*>(dialog)->pictureSize().pixels;
      dialog->accept();
    });
    QTest::mouseClick(control<QPushButton>(window, "btPlotSave"), Qt::LeftButton);
    QCOMPARE(ports.fileDialogs.saveAsCaptions, QStringList{QStringLiteral("Export chart")});
    const auto* chart = control<ColourGridChart>(window, "chartDotPlot");
    QCOMPARE(offered, chart->size());
    QCOMPARE(QImage(dir.filePath("plot.png")).size(), chart->size());

    QFont chosen(QStringLiteral("Serif"));
    chosen.setPixelSize(19);
    ports.fontDialogs.answers.push_back(chosen);
    onNextModal([](QWidget* modal) {
      modal->findChild<QPushButton*>(QStringLiteral("btLabelFont"))->click();
      modal->close();
    });
    QTest::mouseClick(control<QPushButton>(window, "btCustomise"), Qt::LeftButton);
    QCOMPARE(ports.fontDialogs.initialFonts.size(), 1);
    QCOMPARE(control<ColourGridChart>(window, "chartDotPlot")->axis(ChartAxis::Top).labelFont,
             chosen);
    QVERIFY(ports.prompts.shown.isEmpty());
  }

  void dialogsOpenWithTheirTitles() {
    Fixture f;
    f.window->PrepareDotPlot(dptIdentity, seq("h", "ACGT"), seq("v", "ACGT"), false, 2, meHighest);
    showAndWait(f.window);
    QString title;
    onNextModal([&](QWidget* modal) {
      title = modal->windowTitle();
      modal->close();
    });
    QTest::mouseClick(control<QPushButton>(f.window, "btCustomise"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Duvanet dot-plot editor"));
    title.clear();
    onNextModal([&](QWidget* modal) {
      title = modal->windowTitle();
      modal->close();
    });
    QTest::mouseClick(control<QPushButton>(f.window, "btPlotPrint"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Duvanet print preview"));
  }

  // The tracks: hidden with their switch when no sequence has features; hovering a feature
  // describes it; a click zooms its axis to it, a click on the other track then zooms to both.
  void featureTracks() {
    Fixture f;
    const QString data(120, u'A');
    f.window->PrepareDotPlot(dptIdentity, seq("h", data), seq("v", data), false, 1, meHighest);
    f.window->resize(900, 800);
    showAndWait(f.window);
    ColourGridChart* chart = control<ColourGridChart>(f.window, "chartDotPlot");
    QCheckBox* tracksBox = control<QCheckBox>(f.window, "cbTracks");
    QLabel* infoLine = control<QLabel>(f.window, "panInfoDot");
    QVERIFY(tracksBox->isHidden());
    QVERIFY(chart->trackRect(ChartAxis::Top).isEmpty());
    const QRect plainPlot = chart->plotRect();
    f.window->setFeatures(std::make_shared<const duvanet::core::FeatureTable>(),
                          std::make_shared<const duvanet::core::FeatureTable>());
    QVERIFY(tracksBox->isHidden());
    QCOMPARE(chart->plotRect(), plainPlot);

    const auto table = [](const QString& type, qint64 start, qint64 end, bool reverse,
                          const QString& name) {
      duvanet::core::SequenceFeature feature;
      feature.key = type;
      duvanet::core::FeatureLocationPart part;
      part.start = start;
      part.end = end;
      part.reverse = reverse;
      feature.parts.push_back(part);
      feature.qualifiers.push_back({QStringLiteral("Name"), name, true});
      return std::make_shared<const duvanet::core::FeatureTable>(
          duvanet::core::FeatureTable{feature});
    };
    f.window->setFeatures(table("gene", 11, 30, false, "alpha"),
                          table("CDS", 61, 90, true, "beta"));
    QVERIFY(!tracksBox->isHidden());
    QCOMPARE(tracksBox->text(), QStringLiteral("Tracks"));
    QVERIFY(tracksBox->isChecked());
    const QRect top = chart->trackRect(ChartAxis::Top);
    const QRect left = chart->trackRect(ChartAxis::Left);
    QVERIFY(!top.isEmpty() && !left.isEmpty());
    const auto along = [&](ChartAxis axis, double value) {
      return int(std::lround(chart->valueToPixel(axis, value)));
    };
    const QPoint onGene(along(ChartAxis::Top, 20.5), top.bottom() - 5);
    const QPoint onCds(left.right() - 5, along(ChartAxis::Left, 70.5));
    QTest::mouseMove(chart, onGene);
    QCOMPARE(infoLine->text(), QStringLiteral("gene alpha: 11–30, strand +"));
    QTest::mouseMove(chart, onCds);
    QCOMPARE(infoLine->text(), QStringLiteral("CDS beta: 61–90, strand −"));

    const auto leftRange = chart->visibleRange(ChartAxis::Left);
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, onGene);
    QCOMPARE(chart->visibleRange(ChartAxis::Top), std::make_pair(11.0, 31.0));
    QCOMPARE(chart->visibleRange(ChartAxis::Left), leftRange);
    const QPoint onCdsNow(chart->trackRect(ChartAxis::Left).right() - 5,
                          along(ChartAxis::Left, 70.5));
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, onCdsNow);
    QCOMPARE(chart->visibleRange(ChartAxis::Top), std::make_pair(11.0, 31.0));
    QCOMPARE(chart->visibleRange(ChartAxis::Left), std::make_pair(61.0, 91.0));
    // After zooming to both, a click starts over: it zooms its own axis alone.
    chart->unzoom();
    QTest::mouseClick(
        chart, Qt::LeftButton, Qt::NoModifier,
        QPoint(chart->trackRect(ChartAxis::Left).right() - 5, along(ChartAxis::Left, 75.5)));
    QCOMPARE(chart->visibleRange(ChartAxis::Left), std::make_pair(61.0, 91.0));
    QCOMPARE(chart->visibleRange(ChartAxis::Top), chart->automaticRange(ChartAxis::Top));

    tracksBox->click();
    QVERIFY(chart->trackRect(ChartAxis::Top).isEmpty());
    QVERIFY(chart->trackRect(ChartAxis::Left).isEmpty());
    tracksBox->click();
    QVERIFY(!chart->trackRect(ChartAxis::Top).isEmpty());
  }
};

DUVANET_TEST(TestDotPlotWindow)

}  // namespace duvanet::gui

#include "tst_DotPlotWindow.moc"
