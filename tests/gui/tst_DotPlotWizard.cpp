#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <new>

#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "gui/ApplicationTitle.h"
#include "gui/DotPlotWizard.h"
#include "gui/MainWindow.h"
#include "gui/SequenceListBox.h"

namespace duvanet::gui {

using namespace duvanet::testing;

using duvanet::chart::ColourGridChart;
using duvanet::gui::DotPlotChoice;
using duvanet::gui::MainListAccess;
using duvanet::gui::Preselection;

namespace {

// A workspace of named sequences, the main list showing it, and a wizard reading both.
struct Fixture {
  explicit Fixture(const QList<int>& lengths) {
    for (int i = 0; i < lengths.size(); ++i) {
      const int index = list.AddSequence();
      tSequence s{
          QStringLiteral("Seq %1").arg(i), QString(lengths[i], QLatin1Char("ACGT"[i % 4])), {}};
      list.SetSequence(index, s);
      mainList.addItem(s.Name);
    }
    mainList.setSelectionMode(QAbstractItemView::ExtendedSelection);
    wizard = std::make_unique<TfrmDotPlotWizard>(list, MainListAccess::of(&mainList), &prompts);
  }
  void select(const QList<int>& rows, int current) {
    mainList.clearSelection();
    mainList.setCurrentRow(current, QItemSelectionModel::NoUpdate);
    for (int row : rows) mainList.item(row)->setSelected(true);
  }
  QList<TfrmDotPlot*> plots() const { return wizard->findChildren<TfrmDotPlot*>(); }

  tSequenceList list;
  QListWidget mainList;
  FakePrompts prompts;
  std::unique_ptr<TfrmDotPlotWizard> wizard;
};

QRadioButton* byName(TfrmDotPlotWizard& wizard, const QString& name) {
  return wizard.findChild<QRadioButton*>(name);
}

}  // namespace

class TestDotPlotWizard : public QObject {
  Q_OBJECT

 private slots:
  void startsWithItsDesignSettings() {
    Fixture f({10});
    auto& w = *f.wizard;
    QVERIFY(control<QCheckBox>(w, "cbPlotCaseInsensitive")->isChecked());
    QCOMPARE(control<QLineEdit>(w, "edWindowSize")->text(), QStringLiteral("12"));
    QCOMPARE(control<duvanet::widgets::UpDownControl>(w, "udDotWindowSize")->value(), 12);
    QCOMPARE(control<duvanet::widgets::UpDownControl>(w, "udDotWindowSize")->minimum(), 1);
    QCOMPARE(control<duvanet::widgets::UpDownControl>(w, "udDotWindowSize")->maximum(), 1024);
    QCOMPARE(control<QTabWidget>(w, "pcDotPlotSelection")->count(), 3);
    QCOMPARE(control<QTabWidget>(w, "pcDotPlotSelection")->tabText(0), QStringLiteral("DNA"));
    QCOMPARE(control<QTabWidget>(w, "pcDotPlotSelection")->tabText(1), QStringLiteral("Identity"));
    QCOMPARE(control<QTabWidget>(w, "pcDotPlotSelection")->tabText(2), QStringLiteral("Literal"));
    QCOMPARE(control<QTabWidget>(w, "pcDotPlotSelection")->currentWidget(),
             control<QWidget>(w, "TabSheet2"));
    for (QRadioButton* b : {control<QRadioButton>(w, "rbDotPlotDNARevCompHoriz"),
                            control<QRadioButton>(w, "rbDNAStrandHighestCount"),
                            control<QRadioButton>(w, "RadioButton1"),
                            control<QRadioButton>(w, "rbDotPlotLitRevCompHoriz"),
                            control<QRadioButton>(w, "rbLitStrandHighestCount")}) {
      QVERIFY2(b->isChecked(), qPrintable(b->objectName()));
    }
    QCOMPARE(control<QRadioButton>(w, "rbDotPlotLitRevCompBoth")->text(),
             QStringLiteral("Include reverted sequence of both axes in analysis "));
    QCOMPARE(control<QPushButton>(w, "btDotPlotWizCreate")->text(),
             QStringLiteral("Create dot plot"));
    QCOMPARE(control<QPushButton>(w, "btDotPlotWizCancel")->text(), QStringLiteral("Cancel"));
    QVERIFY(!control<QComboBox>(w, "cobPlotSeq1")->isEditable());
    QCOMPARE(w.currentChoice(), (DotPlotChoice{dptDNAHoriz, meHighest}));
  }

  // The client area is 465 x 408 pixels when shown, and every page's controls fit in it whole.
  void clientAreaHoldsEveryControl_data() {
    QTest::addColumn<QString>("page");
    QTest::newRow("DNA") << "TabSheet2";
    QTest::newRow("Identity") << "TabSheet3";
    QTest::newRow("Literal") << "TabSheet1";
  }
  void clientAreaHoldsEveryControl() {
    QFETCH(QString, page);
    Fixture f({10});
    auto& w = *f.wizard;
    control<QTabWidget>(w, "pcDotPlotSelection")
        ->setCurrentWidget(control<QWidget>(w, qPrintable(page)));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(465, 408));
    QVERIFY2(w.layout()->minimumSize().height() <= 408,
             qPrintable(QString::number(w.layout()->minimumSize().height())));
    const QRect client = w.rect();
    for (QWidget* c : w.findChildren<QWidget*>()) {
      if (!c->isVisible() || !(qobject_cast<QAbstractButton*>(c) || qobject_cast<QComboBox*>(c)))
        continue;
      const QRect inWindow(c->mapTo(&w, QPoint(0, 0)), c->size());
      QVERIFY2(client.contains(inWindow), qPrintable(c->objectName()));
      QVERIFY2(c->height() >= c->minimumSizeHint().height(), qPrintable(c->objectName()));
    }
  }

  void preselectionRules_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("any");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::newRow("one selected: its focused row in both") << QList<int>{3} << 3 << true << 3 << 3;
    QTest::newRow("one selected, another focused") << QList<int>{3} << 1 << true << 1 << 1;
    QTest::newRow("0, 2, 5 with 2 focused") << QList<int>{0, 2, 5} << 2 << true << 2 << 5;
    QTest::newRow("0, 2, 5 with 5 focused") << QList<int>{0, 2, 5} << 5 << true << 5 << 2;
    QTest::newRow("focused row deselected") << QList<int>{1, 4} << 6 << true << 6 << 4;
    QTest::newRow("none") << QList<int>{} << 2 << false << -1 << -1;
  }
  void preselectionRules() {
    QFETCH(QList<int>, selected);
    QFETCH(int, current);
    QFETCH(bool, any);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    const auto pick = duvanet::gui::preselectionFor(selected, current);
    QCOMPARE(pick.has_value(), any);
    if (any) QCOMPARE(*pick, (Preselection{horizontal, vertical}));
    // And through the wizard reading a real list.
    Fixture f({5, 5, 5, 5, 5, 5, 5});
    control<QComboBox>(f.wizard, "cobPlotSeq1")->setCurrentIndex(0);
    f.select(selected, current);
    f.wizard->show();
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq1")->count(), 7);
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq1")->currentIndex(), any ? horizontal : 0);
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq2")->currentIndex(), any ? vertical : 0);
    QCOMPARE(f.wizard->windowTitle(),
             duvanet::gui::ApplicationTitle() + QStringLiteral(" dot plot wizard"));
  }

  void twoSelectedWithTheSecondFocusedTakesTheFirstAsVertical() {
    Fixture f({5, 5, 5});
    f.select({1, 2}, 2);
    f.wizard->show();
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq1")->currentIndex(), 2);
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq2")->currentIndex(), 1);
  }

  void defaultCreateWithOneSelectedSequence() {
    Fixture f({30, 20});
    f.select({1}, 1);
    f.wizard->show();
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QCOMPARE(f.plots().size(), 1);
    TfrmDotPlot* plot = f.plots().first();
    QCOMPARE(plot->plotState().PlotType, dptDNAHoriz);
    QCOMPARE(plot->plotState().Evaluation, meHighest);
    QCOMPARE(plot->plotState().WindowSize, 12);
    QCOMPARE(plot->plotState().SeqHoriz.Name, QStringLiteral("Seq 1"));
    QCOMPARE(plot->plotState().SeqVerti.Name, QStringLiteral("Seq 1"));
    QCOMPARE(plot->plotState().SeqHoriz.Data, QString(20, QLatin1Char('C')));
    QVERIFY(plot->isVisible());
    QVERIFY(!f.wizard->isVisible());
    QCOMPARE(f.wizard->lastDotPlot(), plot);
    QVERIFY(f.prompts.shown.isEmpty());
    plot->close();
  }

  void eachPageMapsToItsRequest_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("typeButton");
    QTest::addColumn<QString>("evaluationButton");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::newRow("DNA horizontal lowest") << 0 << "rbDotPlotDNARevCompHoriz"
                                           << "rbDNAStrandLowestCount" << 1 << 1;
    QTest::newRow("DNA vertical summed") << 0 << "rbDotPlotDNARevCompVerti"
                                         << "rbDNAStrandSummedCount" << 2 << 2;
    QTest::newRow("DNA both highest") << 0 << "rbDotPlotDNARevCompBoth"
                                      << "rbDNAStrandHighestCount" << 3 << 0;
    QTest::newRow("Literal horizontal summed") << 2 << "rbDotPlotLitRevCompHoriz"
                                               << "rbLitStrandSummedCount" << 4 << 2;
    QTest::newRow("Literal vertical highest") << 2 << "rbDotPlotLitRevCompVerti"
                                              << "rbLitStrandHighestCount" << 5 << 0;
    QTest::newRow("Literal both lowest") << 2 << "rbDotPlotLitRevCompBoth"
                                         << "rbLitStrandLowestCount" << 6 << 1;
    // The identity page ignores the other pages' buttons.
    QTest::newRow("Identity after DNA choices") << 1 << "rbDotPlotDNARevCompBoth"
                                                << "rbDNAStrandSummedCount" << 0 << 0;
    QTest::newRow("Identity after Literal choices") << 1 << "rbDotPlotLitRevCompVerti"
                                                    << "rbLitStrandLowestCount" << 0 << 0;
  }
  void eachPageMapsToItsRequest() {
    QFETCH(int, page);
    QFETCH(QString, typeButton);
    QFETCH(QString, evaluationButton);
    QFETCH(int, type);
    QFETCH(int, evaluation);
    Fixture f({40, 50});
    f.select({0, 1}, 0);
    f.wizard->show();
    byName(*f.wizard, typeButton)->setChecked(true);
    byName(*f.wizard, evaluationButton)->setChecked(true);
    control<QTabWidget>(f.wizard, "pcDotPlotSelection")->setCurrentIndex(page);
    control<QCheckBox>(f.wizard, "cbPlotCaseInsensitive")->setChecked(false);
    control<duvanet::widgets::UpDownControl>(f.wizard, "udDotWindowSize")->setValue(7);
    QCOMPARE(f.wizard->currentChoice(),
             (DotPlotChoice{tDotPlotType(type), tMatchEvaluation(evaluation)}));
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QCOMPARE(f.plots().size(), 1);
    TfrmDotPlot* plot = f.plots().first();
    QCOMPARE(int(plot->plotState().PlotType), type);
    QCOMPARE(int(plot->plotState().Evaluation), evaluation);
    QCOMPARE(plot->plotState().WindowSize, 7);
    QCOMPARE(plot->plotState().SeqHoriz.Name, QStringLiteral("Seq 0"));
    QCOMPARE(plot->plotState().SeqVerti.Name, QStringLiteral("Seq 1"));
    plot->close();
  }

  void choiceByPageCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("typeButton");
    QTest::addColumn<int>("evaluationButton");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::newRow("DNA") << "DNA" << 2 << 1 << 3 << 1;
    QTest::newRow("Literal") << "Literal" << 0 << 2 << 4 << 2;
    QTest::newRow("Identity") << "Identity" << 2 << 2 << 0 << 0;
    QTest::newRow("caption compared exactly") << "dna" << 1 << 1 << 0 << 0;
  }
  void choiceByPageCaption() {
    QFETCH(QString, caption);
    QFETCH(int, typeButton);
    QFETCH(int, evaluationButton);
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QCOMPARE(duvanet::gui::dotPlotChoiceFor(caption, typeButton, evaluationButton),
             (DotPlotChoice{tDotPlotType(type), tMatchEvaluation(evaluation)}));
  }

  void windowSizeComesFromTheUpDown() {
    Fixture f({20});
    f.select({0}, 0);
    f.wizard->show();
    // Typing beyond the range is refused by the control: its position stays within 1 .. 1024.
    control<QLineEdit>(f.wizard, "edWindowSize")->selectAll();
    QTest::keyClicks(control<QLineEdit>(f.wizard, "edWindowSize"), QStringLiteral("2000"));
    QVERIFY(control<duvanet::widgets::UpDownControl>(f.wizard, "udDotWindowSize")->value() <= 1024);
    control<duvanet::widgets::UpDownControl>(f.wizard, "udDotWindowSize")->setValue(3);
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QCOMPARE(f.plots().first()->plotState().WindowSize, 3);
  }

  void sizeQuestionAbove4000Symbols_data() {
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("answer");
    QTest::newRow("4000 and 3999: no question") << 4000 << 3999 << false << false;
    QTest::newRow("4001 and 10, No") << 4001 << 10 << true << false;
    QTest::newRow("10 and 4001, Yes") << 10 << 4001 << true << true;
  }
  void sizeQuestionAbove4000Symbols() {
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    QFETCH(bool, asked);
    QFETCH(bool, answer);
    Fixture f({horizontal, vertical});
    f.select({0, 1}, 0);
    f.prompts.answers.push_back(answer);
    f.wizard->show();
    control<QTabWidget>(f.wizard, "pcDotPlotSelection")
        ->setCurrentIndex(1);  // identity: no further messages
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    if (!asked) {
      QVERIFY(f.prompts.shown.isEmpty());
    } else {
      QCOMPARE(f.prompts.shown.size(), 1);
      const auto& question = f.prompts.shown.first();
      QCOMPARE(question.type, QStringLiteral("question"));
      QCOMPARE(question.kind, duvanet::gui::UserPrompts::Kind::Information);
      QVERIFY(!question.defaultYes);
      QCOMPARE(question.text,
               duvanet::gui::ApplicationTitle() +
                   QStringLiteral(" was designed to compare sequences of small and medium sizes "
                                  "below 4000 symbols. Try to perform anyhow?"));
    }
    const bool created = !asked || answer;
    QCOMPARE(f.plots().size(), created ? 1 : 0);
    QCOMPARE(f.wizard->isVisible(), !created);
    if (!created) {
      // Settings stay as they were.
      QCOMPARE(control<QTabWidget>(f.wizard, "pcDotPlotSelection")->currentIndex(), 1);
      QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq1")->currentIndex(), 0);
      QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq2")->currentIndex(), 1);
    } else {
      f.plots().first()->close();
    }
  }

  void messagesOfTheRequestComeWhileTheWizardIsOpen() {
    Fixture f({1});  // one symbol: shorter than the window of 12
    f.select({0}, 0);
    f.wizard->show();
    bool openDuringMessages = false;
    QObject::connect(f.wizard.get(), &TfrmDotPlotWizard::dotPlotShown, f.wizard.get(),
                     [&](TfrmDotPlot*) { openDuringMessages = f.wizard->isVisible(); });
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QCOMPARE(f.prompts.texts(),
             QStringList{QStringLiteral(
                 "warning: An error occured while creating the requested dot plot.")});
    QVERIFY(openDuringMessages);
    QVERIFY(!f.wizard->isVisible());
    QCOMPARE(f.plots().size(), 1);
    QVERIFY(!control<ColourGridChart>(f.plots().first(), "chartDotPlot")->hasSeries());
  }

  void failureInsideTheRequestDiscardsTheWindowSilently() {
    Fixture f({30});
    f.select({0}, 0);
    f.wizard->setPrepareFunction([](TfrmDotPlot& window, tDotPlotType, const tSequence&,
                                    const tSequence&, bool, int,
                                    tMatchEvaluation) -> TfrmDotPlot::PrepareOutcome {
      control<ColourGridChart>(window, "chartDotPlot")->addCell(1, 1, 1);
      throw std::bad_alloc();
    });
    f.wizard->show();
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QVERIFY(f.plots().isEmpty());
    QVERIFY(f.prompts.shown.isEmpty());
    QVERIFY(!f.wizard->isVisible());
    QCOMPARE(f.wizard->lastDotPlot(), nullptr);
  }

  void cancelledComputationReturnsToTheWizard() {
    Fixture f({30});
    f.select({0}, 0);
    f.wizard->setPrepareFunction(
        [](TfrmDotPlot&, tDotPlotType, const tSequence&, const tSequence&, bool, int,
           tMatchEvaluation) { return TfrmDotPlot::PrepareOutcome::Cancelled; });
    f.wizard->show();
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QVERIFY(f.plots().isEmpty());
    QVERIFY(f.wizard->isVisible());
  }

  void cancelClosesAndKeepsTheSettings() {
    Fixture f({30, 40});
    f.select({0, 1}, 1);
    f.wizard->show();
    control<QTabWidget>(f.wizard, "pcDotPlotSelection")->setCurrentIndex(2);
    control<QRadioButton>(f.wizard, "rbDotPlotLitRevCompBoth")->setChecked(true);
    control<duvanet::widgets::UpDownControl>(f.wizard, "udDotWindowSize")->setValue(5);
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCancel"), Qt::LeftButton);
    QVERIFY(!f.wizard->isVisible());
    QVERIFY(f.plots().isEmpty());
    // Opened again without a selection: everything as it was left.
    f.mainList.clearSelection();
    f.wizard->show();
    QCOMPARE(control<QTabWidget>(f.wizard, "pcDotPlotSelection")->currentIndex(), 2);
    QVERIFY(control<QRadioButton>(f.wizard, "rbDotPlotLitRevCompBoth")->isChecked());
    QCOMPARE(control<duvanet::widgets::UpDownControl>(f.wizard, "udDotWindowSize")->value(), 5);
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq1")->currentIndex(), 1);
    QCOMPARE(control<QComboBox>(f.wizard, "cobPlotSeq2")->currentIndex(), 0);
  }

  void noSelectionInADropDownGivesAnEmptySequence() {
    Fixture f({30});
    f.wizard->show();
    control<QComboBox>(f.wizard, "cobPlotSeq2")->setCurrentIndex(-1);
    control<QTabWidget>(f.wizard, "pcDotPlotSelection")->setCurrentIndex(1);
    QTest::mouseClick(control<QPushButton>(f.wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    QCOMPARE(f.plots().size(), 1);
    QVERIFY(f.plots().first()->plotState().SeqVerti.Name.isEmpty());
    QVERIFY(f.plots().first()->plotState().SeqVerti.Data.isEmpty());
    QVERIFY(f.prompts.shown.isEmpty());  // identity: silent
    f.plots().first()->close();
  }

  // From files to the compared stretches under the mouse, through the main window.
  void endToEndFromFilesToTheInformationLine() {
    FakePorts fakes;
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    hooks.showInformationScreen = nullptr;
    TfrmMain main(fakes.ports(), hooks);
    main.CreateWizards();
    main.show();
    main.LoadFiles({QStringLiteral(DUVANET_SOURCE_DIR "/examples/dna_pair.fasta"),
                    QStringLiteral(DUVANET_SOURCE_DIR "/examples/protein.fas")});
    QCOMPARE(main.SequenceList().Count(), 3);
    auto* list = main.lbSequenceList();
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    list->setRowSelected(0, true);
    list->setRowSelected(1, true);

    TfrmDotPlot* plot = nullptr;
    onNextModal([&](QWidget* modal) {
      auto* wizard = qobject_cast<TfrmDotPlotWizard*>(modal);
      if (!wizard) {
        modal->close();
        return;
      }
      QObject::connect(wizard, &TfrmDotPlotWizard::dotPlotShown, wizard,
                       [&](TfrmDotPlot* shown) { plot = shown; });
      QTest::mouseClick(control<QPushButton>(wizard, "btDotPlotWizCreate"), Qt::LeftButton);
    });
    control<QAction>(main, "acCreateDotPlot")->trigger();
    QVERIFY(plot);
    QVERIFY(QTest::qWaitForWindowExposed(plot));
    QApplication::processEvents();
    QVERIFY(fakes.prompts.shown.isEmpty());

    tSequence a, b;
    main.SequenceList().GetSequence(0, a);
    main.SequenceList().GetSequence(1, b);
    QCOMPARE(plot->plotState().SeqHoriz.Name, a.Name);
    QCOMPARE(plot->plotState().SeqVerti.Name, b.Name);
    QCOMPARE(plot->plotState().PlotType, dptDNAHoriz);
    // The counts of the cell x = 40, y = 25, taken here straight from the sequences.
    const int x = 40, y = 25, w = 12;
    const QString h = a.Data.toUpper(), v = b.Data.toUpper();
    QString hRev;
    tSequenceList::ReverseComplementDNA(h, hRev);
    int forward = 0, reverse = 0;
    for (int m = 0; m < w; ++m) {
      forward += h[x - 1 + m] == v[y - 1 + m];
      reverse += hRev[h.size() - x - w + 1 + m] == v[y - 1 + m];
    }
    // 589 columns share a few hundred pixels: zoom in so that the cell is several pixels wide.
    control<ColourGridChart>(plot, "chartDotPlot")->zoomTo(30, 50, 15, 35);
    QApplication::processEvents();
    const QPoint pixel(
        int(std::lround(control<ColourGridChart>(plot, "chartDotPlot")
                            ->valueToPixel(duvanet::chart::ChartAxis::Top, x + 0.5))),
        int(std::lround(control<ColourGridChart>(plot, "chartDotPlot")
                            ->valueToPixel(duvanet::chart::ChartAxis::Left, y + 0.5))));
    QTest::mouseMove(control<ColourGridChart>(plot, "chartDotPlot"), pixel);
    QCOMPARE(control<QLabel>(plot, "panInfoDot")->text(),
             QStringLiteral("Highest matches at position (40/25) = %1 of 12 possible matches; "
                            "Window size :12")
                 .arg(std::max(forward, reverse)));
    // The list keeps its selection after the wizard.
    QCOMPARE(main.SelectedRows(), (QList<int>{0, 1}));
    plot->close();
  }

  void hiddenTestActionShowsTheFixedLiteralPlot() {
    FakePorts fakes;
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    hooks.showInformationScreen = nullptr;
    TfrmMain main(fakes.ports(), hooks);
    control<QAction>(main, "acCreateTestDotPlot")->trigger();
    const auto plots = main.findChildren<TfrmDotPlot*>();
    QCOMPARE(plots.size(), 1);
    TfrmDotPlot* plot = plots.first();
    QVERIFY(QTest::qWaitForWindowExposed(plot));
    QApplication::processEvents();
    QCOMPARE(plot->plotState().PlotType, dptLiteralBoth);
    QCOMPARE(plot->plotState().Evaluation, meHighest);
    QCOMPARE(plot->plotState().WindowSize, 2);
    QCOMPARE(plot->plotState().SeqHoriz.Name, QStringLiteral("Test Seq1a"));
    QCOMPARE(plot->plotState().SeqVerti.Name, QStringLiteral("Test Seq2a"));
    QCOMPARE(plot->plotState().SeqHorizRev.Data, QStringLiteral("MUABIMMUG"));
    QCOMPARE(control<ColourGridChart>(plot, "chartDotPlot")->plotCells(),
             (duvanet::engine::CellRect{0, 0, 8, 8}));
    QCOMPARE(control<QLabel>(plot, "panInfoDot")->text(),
             QStringLiteral("Highest matches at position (1/1) = 2 of 2 possible matches; "
                            "Window size :2"));
    QCOMPARE(main.SequenceList().Count(), 0);
    QVERIFY(fakes.prompts.shown.isEmpty());
    plot->close();
  }
};

DUVANET_TEST(TestDotPlotWizard)

}  // namespace duvanet::gui

#include "tst_DotPlotWizard.moc"
