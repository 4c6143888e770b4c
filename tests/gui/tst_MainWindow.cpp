#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "ScopedApplicationName.h"
#include "TestRegistry.h"
#include "gui/ApplicationTitle.h"
#include "gui/BlastWizard.h"
#include "gui/DotPlotWindow.h"
#include "gui/DotPlotWizard.h"
#include "gui/Icons.h"
#include "gui/InformationScreen.h"
#include "gui/MainWindow.h"
#include "gui/SequenceEditor.h"
#include "gui/SequenceListBox.h"
#include "gui/StatisticsWindow.h"
#include "gui/TranscriptionWizard.h"
#include "widgets/DNAMemo.h"

namespace duvanet::gui {

using namespace duvanet::testing;

namespace {

// A wizard stand-in: counts how often it was shown modally.
class CountingDialog : public QDialog {
 public:
  using QDialog::QDialog;
  int exec() override {
    ++execs;
    return QDialog::Rejected;
  }
  int execs = 0;
};

void writeFile(const QString& path, const QByteArray& content) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakePorts> m_fakes;
  std::unique_ptr<TfrmMain> m_main;
  QStringList m_events;
  QTemporaryDir m_dir;

  TfrmMain& makeMain(duvanet::gui::MainWindowHooks hooks = {}) {
    m_main.reset();
    m_fakes = std::make_unique<FakePorts>();
    m_main = std::make_unique<TfrmMain>(m_fakes->ports(), std::move(hooks));
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get())) qWarning("main window not exposed");
    return *m_main;
  }

  void addSequences(const QStringList& names) {
    for (const QString& name : names) {
      const int index = m_main->SequenceList().AddSequence();
      m_main->SequenceList().SetSequence(index, tSequence{name, name.toLower(), {}});
    }
    m_main->UpdateDisplayElements();
  }

  QStringList workspaceNames() const { return m_main->SequenceList().Names(); }

  void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                Qt::MouseButton button = Qt::LeftButton) {
    auto* list = m_main->lbSequenceList();
    const QRect rect = list->rowRect(row);
    QTest::mouseClick(list->viewport(), button, modifiers, rect.center());
  }

 private slots:
  void init() { m_events.clear(); }
  void cleanup() {
    m_main.reset();
    m_fakes.reset();
  }

  void applicationTitle_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "/usr/bin/duvanet"
                           << "duvanet";
    QTest::newRow("upper with extension") << "C:/Programs/DUVANET.EXE"
                                          << "Duvanet";
    QTest::newRow("cut at first dot") << "/opt/Duva.net.bin"
                                      << "Duva";
    QTest::newRow("mixed case") << "dUVaNet"
                                << "duvanet";
    QTest::newRow("capital first") << "/usr/local/bin/DuVaNeT"
                                   << "Duvanet";
  }
  void applicationTitle() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(duvanet::gui::ApplicationTitleFromPath(path), title);
  }

  void startUpOrder() {
    duvanet::gui::MainWindowHooks hooks;
    TfrmMain* seen = nullptr;
    hooks.showInformationScreen = [&](TfrmMain& main) {
      seen = &main;
      m_events << QStringLiteral("info visible=%1 caption=%2 workspace=%3")
                      .arg(main.isVisible())
                      .arg(main.windowTitle())
                      .arg(main.SequenceList().Count());
    };
    const auto wizard = [&](const QString& name) {
      return [&, name](TfrmMain& main) -> QDialog* {
        m_events << name;
        auto* dialog = new CountingDialog(&main);
        dialog->show();  // the main window must hide it again
        return dialog;
      };
    };
    hooks.createDotPlotWizard = wizard(QStringLiteral("dot plot wizard"));
    hooks.createTranscriptionWizard = wizard(QStringLiteral("translation wizard"));
    hooks.createBLASTWizard = wizard(QStringLiteral("BLAST wizard"));

    m_fakes = std::make_unique<FakePorts>();
    m_main = std::make_unique<TfrmMain>(m_fakes->ports(), hooks);
    QCOMPARE(seen, m_main.get());
    QCOMPARE(m_events.size(), 1);  // wizards come only after the information screen
    m_main->CreateWizards();
    const QString caption = duvanet::gui::ApplicationTitle() + QLatin1Char(' ');
    QCOMPARE(m_events, QStringList({"info visible=0 caption=" + caption + " workspace=0",
                                    "dot plot wizard", "translation wizard", "BLAST wizard"}));
    QCOMPARE(m_main->windowTitle(), caption);
    for (QDialog* w :
         {m_main->frmDotPlotWizard(), m_main->frmTranscriptionWizard(), m_main->frmBLASTWizard()}) {
      QVERIFY(w != nullptr);
      QVERIFY(!w->isVisible());
      QCOMPARE(w->parent(), m_main.get());
    }
  }

  // Every window takes the title from the application, which the program's start names after
  // its executable.
  void captionsFollowTheApplicationTitle() {
    ScopedApplicationName title(QStringLiteral("Duvanet"));
    QCOMPARE(duvanet::gui::ApplicationTitle(), QStringLiteral("Duvanet"));
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    QString informationCaption;
    QString informationLabel;
    hooks.showInformationScreen = [&](TfrmMain& main) {
      auto* screen = new TfrmSplashScreen(&main, *main.ports().browser);
      informationCaption = screen->windowTitle();
      informationLabel = control<QLabel>(screen, "Label1")->text();
      delete screen;
    };
    TfrmMain& main = makeMain(hooks);
    main.CreateWizards();
    QCOMPARE(main.windowTitle(), QStringLiteral("Duvanet "));
    QCOMPARE(informationCaption, QStringLiteral("Duvanet information"));
    QCOMPARE(informationLabel, QStringLiteral("Duvanet"));
    QCOMPARE(main.frmTranscriptionWizard()->windowTitle(),
             QStringLiteral("Duvanet translation wizard"));
    for (QDialog* wizard : {main.frmDotPlotWizard(), main.frmBLASTWizard()}) {
      wizard->show();
      wizard->close();
    }
    QCOMPARE(main.frmDotPlotWizard()->windowTitle(), QStringLiteral("Duvanet dot plot wizard"));
    QCOMPARE(main.frmBLASTWizard()->windowTitle(), QStringLiteral("Duvanet BLAST wizard"));
  }

  void programWindowsPlugIn() {
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    QVERIFY(hooks.showInformationScreen);
    hooks.showInformationScreen = [](TfrmMain&) {};
    TfrmMain& main = makeMain(hooks);
    main.CreateWizards();
    QVERIFY(qobject_cast<TfrmDotPlotWizard*>(main.frmDotPlotWizard()));
    QVERIFY(qobject_cast<TfrmTranscriptionWizard*>(main.frmTranscriptionWizard()));
    QVERIFY(qobject_cast<TfrmBLASTWizard*>(main.frmBLASTWizard()));
    for (QDialog* w :
         {main.frmDotPlotWizard(), main.frmTranscriptionWizard(), main.frmBLASTWizard()}) {
      QVERIFY(!w->isVisible());
      QCOMPARE(w->parent(), &main);
    }
    // The hidden test button's plot: a literal plot of two fixed texts beside the workspace.
    control<QAction>(main, "acCreateTestDotPlot")->trigger();
    const QList<TfrmDotPlot*> plots = main.findChildren<TfrmDotPlot*>();
    QCOMPARE(plots.size(), 1);
    QVERIFY(plots.first()->isVisible());
    QCOMPARE(main.SequenceList().Count(), 0);
    plots.first()->close();

    // Statistics: a new window per command for the selected rows, shown without waiting; the
    // selection stays.
    addSequences({"AC", "GT"});
    clickRow(0);
    clickRow(1, Qt::ShiftModifier);
    control<QAction>(main, "acSimpleStatistics")->trigger();
    control<QAction>(main, "acSimpleStatistics")->trigger();
    const QList<TfrmStatistics*> windows = main.findChildren<TfrmStatistics*>();
    QCOMPARE(windows.size(), 2);
    for (TfrmStatistics* w : windows) QVERIFY(w->isVisible());
    QCOMPARE(main.SelectedRows(), QList<int>({0, 1}));
  }

  // Every action's caption and hint, each with an icon shown in its menu item, no shortcut.
  void actionCaptionsAndHints_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("acLoadSequences") << "Load sequences"
                                     << "Load one or more sequences";
    QTest::newRow("acSaveWorkspace") << "Save workspace"
                                     << "Save complete workspace as multi FAS file";
    QTest::newRow("acDeleteWorkspace") << "Delete workspace"
                                       << "Deletes complete workspace irretrievably";
    QTest::newRow("acTerminate") << "Terminate programme"
                                 << "Terminate the programme";
    QTest::newRow("acCreateNewSequence") << "Create new sequence"
                                         << "Create a new and empy sequence in the workspace";
    QTest::newRow("acEditSequence") << "Edit sequence"
                                    << "Edit a sequence in the workspace";
    QTest::newRow("acDuplicateSequence") << "Duplicate sequence"
                                         << "Duplicate a sequence in workspace";
    QTest::newRow("acDeleteSequence") << "Delete sequence"
                                      << "Delete selected sequence";
    QTest::newRow("acSaveSequenceAsFASFile") << "Save sequence as FAS file"
                                             << "Save a sequence from the workspace as a FAS file";
    QTest::newRow("acSaveSequenceAsTXTFile") << "Save sequence as TXT file"
                                             << "Save a sequence from the workspace as a TXT file";
    QTest::newRow("acSaveAnnotationsAsGFF3") << "Save annotations as GFF3"
                                             << "Save the features of a sequence as a GFF3 file";
    QTest::newRow("acSortSequenceAscendingByName")
        << "Sort sequence by name (ascending)"
        << "Sort sequences in workspace ascending by name";
    QTest::newRow("acSortSequenceDescendingByName")
        << "Sort sequence by name (descending)"
        << "Sort sequences in workspace descending by name";
    QTest::newRow("acCreateDotPlot") << "Dot plot wizard"
                                     << "Create a dot plot with the wizard";
    QTest::newRow("acTranslationWizard") << "Translation wizard"
                                         << "Translation wizard";
    QTest::newRow("acBLAST") << "BLAST"
                             << "Basic Local Alignment Search Tool on NCBI website";
    QTest::newRow("acSimpleStatistics") << "Statistic"
                                        << "Simple statistics";
    QTest::newRow("acShowInfoScreen") << "Show info"
                                      << "Show the information screen";
    QTest::newRow("acCreateTestDotPlot") << "Create my test dot plot"
                                         << "Create my test dot plot for quick access";
    QTest::newRow("PasteFASfromClipboard1") << "Paste FAS from clipboard"
                                            << "";
    QTest::newRow("PasteTXTfromclipboard1") << "Paste TXT from clipboard"
                                            << "";
  }
  void actionCaptionsAndHints() {
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    TfrmMain& main = makeMain();
    auto* action = control<QAction>(main, QTest::currentDataTag());
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->statusTip(), hint);
    // Without a hint of its own the tool tip is the caption.
    QCOMPARE(action->toolTip(), hint.isEmpty() ? caption : hint);
    QVERIFY(!action->icon().isNull());
    QVERIFY(action->isIconVisibleInMenu());
    QVERIFY(action->shortcut().isEmpty());
    QCOMPARE(main.findChildren<QAction*>(QString::fromLatin1(QTest::currentDataTag())).size(), 1);
  }

  void layoutAndCaptions() {
    TfrmMain& main = makeMain();
    QStringList menus;
    for (QAction* menu : main.menuBar()->actions()) {
      QStringList items{menu->text()};
      for (QAction* item : menu->menu()->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
      menus << items.join(QLatin1Char('|'));
    }
    QCOMPARE(
        menus,
        QStringList(
            {"File|Load sequences|Save workspace|-|Delete workspace|Terminate programme",
             "Sequence|Create new sequence|Edit sequence|Duplicate sequence|Delete "
             "sequence|-|Save sequence as FAS file|Save sequence as TXT file|Save annotations as "
             "GFF3",
             "Tools|BLAST|Dot plot wizard|Statistic|Translation wizard", "?|Show info"}));
    QStringList toolbar;
    for (QAction* item : control<QToolBar>(main, "ToolBar1")->actions()) {
      auto* button =
          qobject_cast<QToolButton*>(control<QToolBar>(main, "ToolBar1")->widgetForAction(item));
      if (item->isSeparator()) {
        toolbar << QStringLiteral("-");
      } else if (button) {
        toolbar << button->defaultAction()->objectName() + (item->isVisible() ? "" : "(hidden)");
        QCOMPARE(button->iconSize(), QSize(32, 32));
        QVERIFY(!button->icon().isNull());
      }
    }
    QCOMPARE(toolbar,
             QStringList({"acSaveWorkspace", "-", "acLoadSequences", "acCreateNewSequence",
                          "acDuplicateSequence", "acDeleteSequence",
                          "acSortSequenceAscendingByName", "acSortSequenceDescendingByName",
                          "acEditSequence", "-", "acCreateDotPlot", "acTranslationWizard",
                          "acBLAST", "acSimpleStatistics", "acCreateTestDotPlot(hidden)", "-"}));
    QCOMPARE(control<QAction>(main, "acDeleteWorkspace")->statusTip(),
             QStringLiteral("Deletes complete workspace irretrievably"));
    QCOMPARE(control<QAction>(main, "acCreateNewSequence")->statusTip(),
             QStringLiteral("Create a new and empy sequence in the workspace"));
    // Buttons without a hint of their own show the action's hint in the status bar.
    auto* loadButton = control<QToolBar>(main, "ToolBar1")
                           ->findChild<QToolButton*>(QStringLiteral("tbLoadSequences"));
    QVERIFY(loadButton);
    QCOMPARE(loadButton->statusTip(), QStringLiteral("Load one or more sequences"));
    QStatusTipEvent tip(loadButton->statusTip());
    QCoreApplication::sendEvent(loadButton, &tip);
    QCOMPARE(control<QStatusBar>(main, "sBar")->currentMessage(),
             QStringLiteral("Load one or more sequences"));
    auto* blastButton =
        control<QToolBar>(main, "ToolBar1")->findChild<QToolButton*>(QStringLiteral("tbBLAST"));
    QVERIFY(blastButton);
    QCOMPARE(blastButton->statusTip(),
             QStringLiteral("BLAST wizard - Access basic local alignment and search tools for "
                            "selected sequences"));
    for (QAction* action : main.findChildren<QAction*>()) {
      if (!action->objectName().startsWith(QLatin1String("ac"))) continue;
      QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->objectName()));
      QVERIFY(action->isEnabled());
    }
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("0"));
    QCOMPARE(control<TDNAMemo>(main, "mePreviewSequenceData")->palette().color(QPalette::Base),
             QColor(255, 255, 225));
    QCOMPARE(control<QMenu>(main, "popmenSequenceList")->actions().size(), 2);
  }

  void emptyWorkspaceActionsDoNothing() {
    duvanet::gui::MainWindowHooks hooks;
    int statistics = 0;
    hooks.createDotPlotWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createTranscriptionWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createBLASTWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createStatistics = [&](TfrmMain&) -> QWidget* {
      ++statistics;
      return nullptr;
    };
    TfrmMain& main = makeMain(hooks);
    main.CreateWizards();
    bool modalSeen = false;
    onNextModal([&](QWidget* w) {
      modalSeen = true;
      w->close();
    });
    for (QAction* a :
         {control<QAction>(main, "acCreateDotPlot"), control<QAction>(main, "acEditSequence"),
          control<QAction>(main, "acDuplicateSequence"), control<QAction>(main, "acDeleteSequence"),
          control<QAction>(main, "acTranslationWizard"), control<QAction>(main, "acBLAST"),
          control<QAction>(main, "acSimpleStatistics")})
      a->trigger();
    QTest::qWait(50);
    QVERIFY(!modalSeen);
    QCOMPARE(main.SequenceList().Count(), 0);
    QVERIFY(m_fakes->prompts.shown.isEmpty());
    QCOMPARE(statistics, 0);
    for (QDialog* w :
         {main.frmDotPlotWizard(), main.frmTranscriptionWizard(), main.frmBLASTWizard()})
      QCOMPARE(static_cast<CountingDialog*>(w)->execs, 0);
  }

  void wizardsAndWindowsNeedTheirRows() {
    duvanet::gui::MainWindowHooks hooks;
    int statistics = 0;
    int testPlots = 0;
    int infoScreens = 0;
    hooks.showInformationScreen = [&](TfrmMain&) { ++infoScreens; };
    hooks.createDotPlotWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createTranscriptionWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createBLASTWizard = [](TfrmMain& m) { return new CountingDialog(&m); };
    hooks.createStatistics = [&](TfrmMain& m) -> QWidget* {
      ++statistics;
      auto* w = new QWidget(&m, Qt::Window);
      return w;
    };
    hooks.createTestDotPlot = [&](TfrmMain&) { ++testPlots; };
    TfrmMain& main = makeMain(hooks);
    main.CreateWizards();
    addSequences({"a", "b", "c"});
    auto* dot = static_cast<CountingDialog*>(main.frmDotPlotWizard());
    auto* translation = static_cast<CountingDialog*>(main.frmTranscriptionWizard());
    auto* blast = static_cast<CountingDialog*>(main.frmBLASTWizard());

    // Rows present, none selected: only the dot plot wizard opens.
    control<QAction>(main, "acCreateDotPlot")->trigger();
    control<QAction>(main, "acTranslationWizard")->trigger();
    control<QAction>(main, "acBLAST")->trigger();
    control<QAction>(main, "acSimpleStatistics")->trigger();
    QCOMPARE(dot->execs, 1);
    QCOMPARE(translation->execs + blast->execs + statistics, 0);

    clickRow(1);
    clickRow(2, Qt::ControlModifier);
    control<QAction>(main, "acCreateDotPlot")->trigger();
    QCOMPARE(main.SelectedRows(), QList<int>({1, 2}));  // no refill after the dot plot wizard
    control<QAction>(main, "acSimpleStatistics")->trigger();
    control<QAction>(main, "acSimpleStatistics")->trigger();
    QCOMPARE(statistics, 2);
    QCOMPARE(main.SelectedRows(), QList<int>({1, 2}));  // nor after opening statistics
    control<QAction>(main, "acTranslationWizard")->trigger();
    QCOMPARE(translation->execs, 1);
    QVERIFY(main.SelectedRows().isEmpty());  // refilled after the translation wizard
    clickRow(0);
    control<QAction>(main, "acBLAST")->trigger();
    QCOMPARE(blast->execs, 1);
    QVERIFY(main.SelectedRows().isEmpty());

    control<QAction>(main, "acShowInfoScreen")->trigger();
    QCOMPARE(infoScreens, 2);  // start-up and the action
    control<QAction>(main, "acCreateTestDotPlot")->trigger();
    QCOMPARE(testPlots, 1);
    QCOMPARE(workspaceNames(), QStringList({"a", "b", "c"}));
  }

  void createNewSequenceAndPreview() {
    TfrmMain& main = makeMain();
    control<QAction>(main, "acCreateNewSequence")->trigger();
    QCOMPARE(workspaceNames(), QStringList({"Sequence 1"}));
    QCOMPARE(main.lbSequenceList()->count(), 1);
    QVERIFY(control<QLineEdit>(main, "edPreviewSequenceName")->text().isEmpty());
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("0"));
    clickRow(0);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceName")->text(),
             QStringLiteral("Sequence 1"));
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("0"));
    QVERIFY(control<TDNAMemo>(main, "mePreviewSequenceData")->toPlainText().isEmpty());

    main.SequenceList().SetSequence(0, tSequence{"long", QString(100, QLatin1Char('A')), {}});
    main.UpdateDisplayElements();
    clickRow(0);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("100"));
    QCOMPARE(control<TDNAMemo>(main, "mePreviewSequenceData")->DNAText(),
             QString(100, QLatin1Char('A')));
    // A right click opens the context menu and leaves the preview and the selection alone.
    addSequences({"second"});
    clickRow(0);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceName")->text(), QStringLiteral("long"));
    clickRow(1, Qt::NoModifier, Qt::RightButton);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceName")->text(), QStringLiteral("long"));
    QCOMPARE(main.SelectedRows(), QList<int>({0}));
    QCOMPARE(main.CurrentRow(), 0);
    // Keyboard movement changes the current row but not the preview.
    QTest::keyClick(main.lbSequenceList(), Qt::Key_Down);
    QCOMPARE(main.CurrentRow(), 1);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceName")->text(), QStringLiteral("long"));
  }

  // A name longer than the preview's Name field shows its start there, and the list keeps it
  // whole (its tool tip and its row text).
  void previewShowsTheStartOfALongName() {
    TfrmMain& main = makeMain();
    const QString name = QStringLiteral("START ") + QString(300, QLatin1Char('x')) + " END";
    addSequences({name});
    clickRow(0);
    const auto* field = control<QLineEdit>(main, "edPreviewSequenceName");
    QCOMPARE(field->text(), name);
    QCOMPARE(field->cursorPosition(), 0);
    QVERIFY(QFontMetrics(field->font()).horizontalAdvance(name) > field->width());
    QCOMPARE(main.lbSequenceList()->rowText(0), name);
    QVERIFY(main.lbSequenceList()->horizontalScrollBar()->maximum() > 0);
  }

  // At the window's minimum size, with the splitter dragged to make the preview as small as it
  // goes, the Name and Length fields keep their full height above the sequence text, and the
  // preview still keeps between 60 and 300 pixels.
  void previewAtItsSmallest() {
    TfrmMain& main = makeMain();
    addSequences({"a name to read"});
    clickRow(0);
    main.resize(main.minimumSize());
    QCOMPARE(main.size(), QSize(500, 460));
    auto* splitter = control<QSplitter>(main, "Splitter1");
    QWidget* panel = control<QWidget>(main, "Panel2");
    QVERIFY(panel->minimumHeight() >= 60);
    QCOMPARE(panel->maximumHeight(), 300);
    splitter->setSizes({10000, 0});
    QApplication::processEvents();
    QCOMPARE(panel->height(), panel->minimumHeight());
    const auto* data = control<QWidget>(main, "mePreviewSequenceData");
    for (const char* name : {"edPreviewSequenceName", "edPreviewSequenceLength"}) {
      const auto* field = control<QLineEdit>(main, name);
      QVERIFY2(field->height() >= field->minimumSizeHint().height(), name);
      const QRect inPanel(field->mapTo(panel, QPoint(0, 0)), field->size());
      QVERIFY2(panel->rect().contains(inPanel), name);
      QVERIFY2(data->mapTo(panel, QPoint(0, 0)).y() >= inPanel.bottom(), name);
    }
    QVERIFY(data->height() >= QFontMetrics(data->font()).lineSpacing());
  }

  void refillSemantics() {
    TfrmMain& main = makeMain();
    QCOMPARE(main.CurrentRow(), 0);  // an empty list still has row 0 current
    addSequences({"one", "two", "three"});
    clickRow(2);
    QCOMPARE(main.CurrentRow(), 2);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceName")->text(), QStringLiteral("three"));
    control<QAction>(main, "acCreateNewSequence")->trigger();
    QCOMPARE(main.lbSequenceList()->count(), 4);
    QCOMPARE(main.CurrentRow(), 0);
    QVERIFY(main.SelectedRows().isEmpty());
    QVERIFY(control<QLineEdit>(main, "edPreviewSequenceName")->text().isEmpty());
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("0"));
    QVERIFY(control<TDNAMemo>(main, "mePreviewSequenceData")->toPlainText().isEmpty());
    for (int row = 0; row < 4; ++row)
      QCOMPARE(main.lbSequenceList()->rowText(row), workspaceNames().at(row));
  }

  void editUsesCurrentRow() {
    TfrmMain& main = makeMain();
    addSequences({"one", "two", "three"});
    // Right after a refill the first row is current.
    int editedIndex = -1;
    onNextModal([&](QWidget* w) {
      auto* editor = qobject_cast<TfrmSequenceEditor*>(w);
      QVERIFY(editor);
      editedIndex = editor->SequenceIndex();
      control<QLineEdit>(editor, "edSequenceName")->setText(QStringLiteral("renamed"));
      control<QPushButton>(editor, "Button2")->click();
    });
    control<QAction>(main, "acEditSequence")->trigger();
    QCOMPARE(editedIndex, 0);
    QCOMPARE(workspaceNames(), QStringList({"renamed", "two", "three"}));

    // Ctrl-clicking the current row deselects it but keeps it current: edit takes it, delete
    // ignores it.
    clickRow(1);
    clickRow(1, Qt::ControlModifier);
    QVERIFY(main.SelectedRows().isEmpty());
    QCOMPARE(main.CurrentRow(), 1);
    control<QAction>(main, "acDeleteSequence")->trigger();
    QVERIFY(m_fakes->prompts.shown.isEmpty());
    QCOMPARE(main.SequenceList().Count(), 3);
    onNextModal([&](QWidget* w) {
      auto* editor = qobject_cast<TfrmSequenceEditor*>(w);
      QVERIFY(editor);
      editedIndex = editor->SequenceIndex();
      control<QPushButton>(editor, "Button1")->click();
    });
    control<QAction>(main, "acEditSequence")->trigger();
    QCOMPARE(editedIndex, 1);
    // The list is refilled after the editor closes, also after Cancel.
    QCOMPARE(main.CurrentRow(), 0);

    // A double-click edits the clicked row.
    onNextModal([&](QWidget* w) {
      auto* editor = qobject_cast<TfrmSequenceEditor*>(w);
      QVERIFY(editor);
      editedIndex = editor->SequenceIndex();
      editor->reject();
    });
    auto* list = main.lbSequenceList();
    const QPoint at = list->rowRect(2).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(editedIndex, 2);
    QCOMPARE(main.findChildren<TfrmSequenceEditor*>().size(), 0);
  }

  void duplicateAndSort() {
    TfrmMain& main = makeMain();
    addSequences({"beta", "Alpha", "alpha2"});
    clickRow(1);
    control<QAction>(main, "acDuplicateSequence")->trigger();
    QCOMPARE(workspaceNames(), QStringList({"beta", "Alpha", "alpha2", "Copy of Alpha"}));
    control<QAction>(main, "acSortSequenceAscendingByName")->trigger();
    QCOMPARE(workspaceNames(), QStringList({"Alpha", "alpha2", "beta", "Copy of Alpha"}));
    control<QAction>(main, "acSortSequenceDescendingByName")->trigger();
    QCOMPARE(workspaceNames(), QStringList({"Copy of Alpha", "beta", "alpha2", "Alpha"}));
    for (int row = 0; row < 4; ++row)
      QCOMPARE(main.lbSequenceList()->rowText(row), workspaceNames().at(row));
  }

  void deleteSelected_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes") << true << QStringList({"s0", "s2", "s4"});
    QTest::newRow("no") << false << QStringList({"s0", "s1", "s2", "s3", "s4"});
  }
  void deleteSelected() {
    QFETCH(bool, answer);
    QFETCH(QStringList, left);
    TfrmMain& main = makeMain();
    addSequences({"s0", "s1", "s2", "s3", "s4"});
    clickRow(1);
    clickRow(3, Qt::ControlModifier);
    m_fakes->prompts.answers = {answer};
    control<QAction>(main, "acDeleteSequence")->trigger();
    QCOMPARE(m_fakes->prompts.texts(), QStringList({"question: Delete the selected sequences?"}));
    QCOMPARE(m_fakes->prompts.shown.first().kind, duvanet::gui::UserPrompts::Kind::Confirmation);
    QCOMPARE(workspaceNames(), left);
    if (answer) QCOMPARE(main.lbSequenceList()->count(), 3);
  }

  void deleteWorkspace_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("yes") << true << 0;
    QTest::newRow("no") << false << 2;
  }
  void deleteWorkspace() {
    QFETCH(bool, answer);
    QFETCH(int, left);
    TfrmMain& main = makeMain();
    addSequences({"a", "b"});
    m_fakes->prompts.answers = {answer};
    control<QAction>(main, "acDeleteWorkspace")->trigger();
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList({"question: This will delete the complete workspace. No sequences will "
                          "be left or restoreable. Are you really sure to continue?"}));
    QCOMPARE(m_fakes->prompts.shown.first().kind, duvanet::gui::UserPrompts::Kind::Warning);
    QCOMPARE(main.SequenceList().Count(), left);
    QCOMPARE(main.lbSequenceList()->count(), left);
  }

  void saveFailures() {
    TfrmMain& main = makeMain();
    const QString target = m_dir.filePath(QStringLiteral("ws"));
    // An empty workspace: the dialog still opens, the save fails and says so.
    m_fakes->fileDialogs.saveAnswers = {target, target};
    control<QAction>(main, "acSaveWorkspace")->trigger();
    control<QAction>(main, "acSaveSequenceAsFASFile")->trigger();
    QCOMPARE(m_fakes->fileDialogs.proposedNames.size(), 2);
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList({"warning: An error occured during file saving",
                          "warning: An error occured during file saving"}));
    QVERIFY(!QFile::exists(target + ".fas"));

    // Cancelling the dialog says nothing.
    m_fakes->prompts.shown.clear();
    control<QAction>(main, "acSaveWorkspace")->trigger();
    QVERIFY(m_fakes->prompts.shown.isEmpty());

    // Declining to overwrite reports the failure too, and leaves the file alone.
    addSequences({"x"});
    writeFile(target + ".fas", "old");
    m_fakes->fileDialogs.saveAnswers = {target};
    m_fakes->prompts.answers = {false};
    control<QAction>(main, "acSaveWorkspace")->trigger();
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList({"question: File exists! Overwrite?",
                          "warning: An error occured during file saving"}));
    QFile old(target + ".fas");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    old.close();

    // Yes overwrites without a message.
    m_fakes->prompts.shown.clear();
    m_fakes->fileDialogs.saveAnswers = {target};
    control<QAction>(main, "acSaveWorkspace")->trigger();
    QCOMPARE(m_fakes->prompts.texts(), QStringList({"question: File exists! Overwrite?"}));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll().startsWith(">x"));
  }

  void writeErrorGoesToErrorBox() {
    TfrmMain& main = makeMain();
    addSequences({"x"});
    const QString target = m_dir.filePath(QStringLiteral("no-such-dir/deeper/ws"));
    m_fakes->fileDialogs.saveAnswers = {target};
    control<QAction>(main, "acSaveWorkspace")->trigger();
    QCOMPARE(m_fakes->prompts.shown.size(), 1);
    QCOMPARE(m_fakes->prompts.shown.first().type, QStringLiteral("error"));
    QVERIFY2(m_fakes->prompts.shown.first().text.contains(QStringLiteral("ws.fas")),
             qPrintable(m_fakes->prompts.shown.first().text));
  }

  void proposedFileName() {
    TfrmMain& main = makeMain();
    addSequences({"first", "second"});
    // First use: nothing chosen yet, so the proposal is the bare name.
    clickRow(1);
    control<QAction>(main, "acSaveSequenceAsTXTFile")->trigger();  // cancelled
    QCOMPARE(m_fakes->fileDialogs.proposedNames.last(), QStringLiteral("second"));
    // The workspace save shows the dialog as it was left.
    const QString chosen = m_dir.filePath(QStringLiteral("all.fas"));
    m_fakes->fileDialogs.saveAnswers = {chosen};
    control<QAction>(main, "acSaveWorkspace")->trigger();
    QCOMPARE(m_fakes->fileDialogs.proposedNames.last(), QStringLiteral("second"));
    QCOMPARE(main.SaveDialogFileName(), chosen);
    // Now the directory of the chosen file, then the current row's name, without extension.
    clickRow(0);
    m_fakes->fileDialogs.saveAnswers = {m_dir.filePath(QStringLiteral("first"))};
    control<QAction>(main, "acSaveSequenceAsFASFile")->trigger();
    QCOMPARE(m_fakes->fileDialogs.proposedNames.last(), m_dir.path() + QStringLiteral("/first"));
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("first.fas"))));
    m_fakes->fileDialogs.saveAnswers = {m_dir.filePath(QStringLiteral("first"))};
    control<QAction>(main, "acSaveSequenceAsTXTFile")->trigger();
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("first.txt"))));
    QVERIFY(m_fakes->prompts.shown.isEmpty());
  }

  // A name holding "/" proposes a file in the chosen folder, never a folder of its own.
  void proposedFileNameStaysInTheFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("parent folders") << "../../x"
                                    << ".._.._x";
    QTest::newRow("folder and name") << "HIV-1/HXB2 env"
                                     << "HIV-1_HXB2 env";
    QTest::newRow("absolute path") << "/etc/passwd"
                                   << "_etc_passwd";
    QTest::newRow("trailing slash") << "dir/"
                                    << "dir_";
  }
  void proposedFileNameStaysInTheFolder() {
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    TfrmMain& main = makeMain();
    addSequences({name});
    clickRow(0);
    m_fakes->fileDialogs.saveAnswers = {m_dir.filePath(QStringLiteral("first"))};
    control<QAction>(main, "acSaveSequenceAsFASFile")->trigger();
    control<QAction>(main, "acSaveSequenceAsTXTFile")->trigger();  // cancelled
    QCOMPARE(m_fakes->fileDialogs.proposedNames,
             QStringList({proposed, m_dir.path() + QLatin1Char('/') + proposed}));
  }

  // An allocation that fails inside an action ends that action with the error box naming it;
  // the program and the workspace go on.
  void outOfMemoryEndsTheActionOnly() {
    duvanet::gui::MainWindowHooks hooks;
    hooks.createStatistics = [](TfrmMain&) -> QWidget* { throw std::bad_alloc(); };
    TfrmMain& main = makeMain(std::move(hooks));
    addSequences({"a", "b"});
    clickRow(1);
    control<QAction>(main, "acSimpleStatistics")->trigger();
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList({"error: There is not enough memory for \"Statistic\"; the action was "
                          "stopped."}));
    QCOMPARE(workspaceNames(), QStringList({"a", "b"}));
    QCOMPARE(main.lbSequenceList()->count(), 2);
    // The next action runs as usual.
    control<QAction>(main, "acCreateNewSequence")->trigger();
    QCOMPARE(main.lbSequenceList()->count(), 3);
  }

  // Files named on the command line load once the window is on the screen, so that an error box
  // for one of them has the window to centre on; on a window already shown they load at once.
  void commandLineFilesLoadOnceShown() {
    m_fakes = std::make_unique<FakePorts>();
    m_main = std::make_unique<TfrmMain>(m_fakes->ports(), duvanet::gui::MainWindowHooks{});
    const QString missing = m_dir.filePath(QStringLiteral("missing.fas"));
    m_main->LoadFilesWhenShown({missing});
    QCoreApplication::processEvents();
    QVERIFY(m_fakes->prompts.shown.isEmpty());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QTRY_COMPARE(m_fakes->prompts.shown.size(), 1);
    QCOMPARE(m_fakes->prompts.shown.first().type, QStringLiteral("error"));
    QVERIFY(m_fakes->prompts.shown.first().text.contains(missing));
    m_main->LoadFilesWhenShown({missing});
    QCOMPARE(m_fakes->prompts.shown.size(), 2);
  }

  void loadSequences() {
    TfrmMain& main = makeMain();
    const QString fasta = m_dir.filePath(QStringLiteral("two.fasta"));
    const QString text = m_dir.filePath(QStringLiteral("one.txt"));
    writeFile(fasta, ">seqA\nACGT\n>seqB\nGG\n");
    writeFile(text, "ACGT\r\n");
    m_fakes->fileDialogs.filesToOpen = {fasta, text};
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(m_fakes->fileDialogs.openCalls, 1);
    QCOMPARE(main.lbSequenceList()->count(), 3);
    QCOMPARE(main.lbSequenceList()->rowText(0), QStringLiteral("seqA"));
    // A text file's single line of four letters keeps its CR LF: length 6.
    clickRow(2);
    QCOMPARE(control<QLineEdit>(main, "edPreviewSequenceLength")->text(), QStringLiteral("6"));

    // A missing file stops the loading; the files read before it stay and are listed.
    m_fakes->fileDialogs.filesToOpen = {fasta, m_dir.filePath(QStringLiteral("missing.fas")), text};
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(m_fakes->prompts.shown.size(), 1);
    QCOMPARE(m_fakes->prompts.shown.first().type, QStringLiteral("error"));
    QVERIFY(m_fakes->prompts.shown.first().text.contains(QStringLiteral("missing.fas")));
    QCOMPARE(main.SequenceList().Count(), 5);
    QCOMPARE(main.lbSequenceList()->count(), 5);

    // Cancelling the dialog changes nothing.
    m_fakes->fileDialogs.filesToOpen.clear();
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(main.SequenceList().Count(), 5);
  }

  // Annotation files are read after the sequence files of the same load; seqids that name no
  // entry are named in one warning (ten, then "and N more"), with the features cut at the end
  // of their sequence; "Save annotations as GFF3" writes the current row's features.
  void loadAnnotations() {
    TfrmMain& main = makeMain();
    const QString gff = m_dir.filePath(QStringLiteral("notes.gff3"));
    QByteArray lines =
        "##gff-version 3\nchrA\ts\tgene\t2\t6\t.\t+\t.\tID=g1;Name=alpha\n"
        "chrA\ts\tCDS\t3\t40\t.\t+\t0\tID=c1\n";
    for (int i = 1; i <= 12; ++i)
      lines += QStringLiteral("u%1\ts\tgene\t1\t2\t.\t+\t.\tID=x%1\n").arg(i).toUtf8();
    writeFile(gff, lines);
    const QString fasta = m_dir.filePath(QStringLiteral("seq.fa"));
    writeFile(fasta, ">chrA some organism\nACGTACGTAC\n>other\nAC\n");
    m_fakes->fileDialogs.filesToOpen = {gff, fasta};
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(main.lbSequenceList()->count(), 2);
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList({"warning: No sequence in the workspace is named u1, u2, u3, u4, u5, u6, "
                          "u7, u8, u9, u10 and 2 more; the features of these seqids were not "
                          "attached.\n\n1 feature(s) reached past the end of their sequence "
                          "and were clipped there."}));
    QCOMPARE(main.SequenceList().Features(0)->size(), size_t(2));
    QCOMPARE(main.SequenceList().Features(0)->at(1).parts[0].end, qint64(10));
    QVERIFY(main.SequenceList().Features(1)->empty());

    // Everything attached: no warning at all.
    m_fakes->prompts.shown.clear();
    const QString fitting = m_dir.filePath(QStringLiteral("fits.bed"));
    writeFile(fitting, "other\t0\t2\tb1\n");
    m_fakes->fileDialogs.filesToOpen = {fitting};
    control<QAction>(main, "acLoadSequences")->trigger();
    QVERIFY(m_fakes->prompts.shown.isEmpty());
    QCOMPARE(main.SequenceList().Features(1)->size(), size_t(1));

    // A damaged annotation file: the error box names it, nothing of it is attached.
    const QString damaged = m_dir.filePath(QStringLiteral("bad.gtf"));
    writeFile(damaged, "chrA\ts\texon\t1\n");
    m_fakes->fileDialogs.filesToOpen = {damaged};
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(m_fakes->prompts.shown.size(), 1);
    QCOMPARE(m_fakes->prompts.shown.first().type, QStringLiteral("error"));
    QVERIFY(m_fakes->prompts.shown.first().text.contains(QStringLiteral("bad.gtf")));
    QVERIFY(m_fakes->prompts.shown.first().text.contains(QStringLiteral("line 1")));
    QCOMPARE(main.SequenceList().Features(0)->size(), size_t(2));

    m_fakes->prompts.shown.clear();
    clickRow(0);
    m_fakes->fileDialogs.saveAnswers = {m_dir.filePath(QStringLiteral("chrA"))};
    control<QAction>(main, "acSaveAnnotationsAsGFF3")->trigger();
    QCOMPARE(m_fakes->fileDialogs.proposedNames.last(), QStringLiteral("chrA.gff3"));
    QFile saved(m_dir.filePath(QStringLiteral("chrA.gff3")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("##gff-version 3\n"
                                         "chrA\tduvanet\tgene\t2\t6\t.\t+\t.\tID=g1;Name=alpha\n"
                                         "chrA\tduvanet\tCDS\t3\t10\t.\t+\t0\tID=c1;Name=c1\n"));
    QVERIFY(m_fakes->prompts.shown.isEmpty());
  }

  void dropFilesOnList() {
    TfrmMain& main = makeMain();
    const QString fasta = m_dir.filePath(QStringLiteral("drop.fas"));
    writeFile(fasta, ">dropped\nAC\n");
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(fasta)});
    QWidget* viewport = main.lbSequenceList()->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    QCOMPARE(workspaceNames(), QStringList({"dropped"}));
    QCOMPARE(main.lbSequenceList()->count(), 1);
    delete mime;
  }

  // Dropped and chosen files are read by their names: GenBank, EMBL and gzip alike; a damaged
  // one is named in the error box and adds nothing, the files before it stay listed.
  void loadAnnotatedAndCompressedFiles() {
    TfrmMain& main = makeMain();
    const QString data = QStringLiteral(DUVANET_TEST_DATA_DIR "/formats/");
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(data + "two_records.gb"),
                   QUrl::fromLocalFile(data + "pair_bgzf.fa.gz")});
    QWidget* viewport = main.lbSequenceList()->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    delete mime;
    QCOMPARE(workspaceNames(),
             QStringList({"XT000001.2 Synthetic test construct alpha, gene for test protein 1, "
                          "complete cds",
                          "XT000003 Synthetic test construct beta", "gz one", "gz two"}));
    QCOMPARE(main.SequenceList().Features(0)->size(), size_t(5));

    m_fakes->fileDialogs.filesToOpen = {data + "two_records.embl", data + "damaged.fa.gz",
                                        data + "pair.fa.gz"};
    control<QAction>(main, "acLoadSequences")->trigger();
    QCOMPARE(m_fakes->prompts.shown.size(), 1);
    QCOMPARE(m_fakes->prompts.shown.first().text,
             QStringLiteral("Cannot read file \"%1\": damaged").arg(data + "damaged.fa.gz"));
    QCOMPARE(main.SequenceList().Count(), 6);
    QCOMPARE(main.lbSequenceList()->count(), 6);
    QCOMPARE(main.lbSequenceList()->rowText(5),
             QStringLiteral("XE000002.1 Synthetic test construct delta"));
  }

  void pasteFromClipboard() {
    TfrmMain& main = makeMain();
    addSequences({"a", "b"});
    QGuiApplication::clipboard()->setText(QStringLiteral("ACGT"));
    control<QAction>(main, "PasteTXTfromclipboard1")->trigger();
    QCOMPARE(workspaceNames().last(), QStringLiteral("Sequence 3: Copy from clipboard"));
    tSequence pasted;
    QVERIFY(main.SequenceList().GetSequence(2, pasted));
    QCOMPARE(pasted.Data, QStringLiteral("ACGT"));
    QGuiApplication::clipboard()->setText(QStringLiteral(">p1\nAC\n>p2\nGT\n"));
    control<QAction>(main, "PasteFASfromClipboard1")->trigger();
    QCOMPARE(workspaceNames(),
             QStringList({"a", "b", "Sequence 3: Copy from clipboard", "p1", "p2"}));
    QCOMPARE(main.lbSequenceList()->count(), 5);
    // Nothing on the clipboard: nothing happens and nothing is said.
    QGuiApplication::clipboard()->clear();
    control<QAction>(main, "PasteTXTfromclipboard1")->trigger();
    QCOMPARE(main.SequenceList().Count(), 5);
    QVERIFY(m_fakes->prompts.shown.isEmpty());
  }

  void rowColours() {
    TfrmMain& main = makeMain();
    addSequences({"r0", "r1", "r2", "r3"});
    clickRow(1);
    clickRow(2, Qt::ShiftModifier);
    QCOMPARE(main.SelectedRows(), QList<int>({1, 2}));
    main.lbSequenceList()->clearFocus();
    auto* list = main.lbSequenceList();
    const QImage image = list->viewport()->grab().toImage();
    const QList<QColor> expected{QColor(255, 255, 255), QColor(0, 0, 245), QColor(8, 8, 255),
                                 QColor(242, 242, 255)};
    for (int row = 0; row < 4; ++row) {
      const QRect rect = list->rowRect(row);
      QCOMPARE(rect.height(), 16);
      // Right of the short name, away from the text and the focus frame.
      const QPoint probe(rect.right() - 10, rect.center().y());
      const double ratio = image.devicePixelRatio();
      const QColor colour =
          image.pixelColor(QPoint(int(probe.x() * ratio), int(probe.y() * ratio)));
      QCOMPARE(colour, expected.at(row));
    }
    // Text: black on unselected rows, white on selected ones, starting at the left edge.
    const auto hasPixel = [&](int row, const QColor& colour) {
      const QRect rect = list->rowRect(row);
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x < rect.left() + 20; ++x)
          if (image.pixelColor(x, y) == colour) return true;
      return false;
    };
    QVERIFY(hasPixel(0, Qt::black));
    QVERIFY(hasPixel(1, Qt::white));
    QVERIFY(!hasPixel(1, Qt::black));
  }

  // No tool-bar picture looks disabled while its action is available: every button is enabled,
  // and the pictures of loading, duplicating, sorting and the tools are strongly coloured or
  // dark in at least a third of their opaque pixels (the theme's pale grey pictures for the
  // first four have none to a tenth).
  void toolBarIconsLookEnabled_data() {
    QTest::addColumn<QString>("button");
    for (const char* name :
         {"tbLoadSequences", "tbDuplicateSequence", "tbSortSequenceAscendingByName",
          "tbSortSequenceDescendingByName", "tbCreateDotPlot", "tbTranslationWizard", "tbBLAST",
          "tbSimpleStatistics"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }
  void toolBarIconsLookEnabled() {
    QFETCH(QString, button);
    duvanet::gui::icons::useInstalledTheme();
    TfrmMain& main = makeMain();
    for (const QToolButton* each :
         control<QToolBar>(main, "ToolBar1")->findChildren<QToolButton*>())
      QVERIFY2(!each->isVisibleTo(&main) || each->isEnabled(), qPrintable(each->objectName()));
    const QToolButton* toolButton = control<QToolButton>(main, qPrintable(button));
    QVERIFY(toolButton->isVisibleTo(&main));
    const QImage image =
        toolButton->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    int strong = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = QColor::fromRgba(image.pixel(x, y));
        if (c.alpha() < 128) continue;
        ++opaque;
        if ((c.hsvSaturation() >= 100 && c.value() >= 60) || c.value() <= 90) ++strong;
      }
    }
    QVERIFY(opaque > 100);
    QVERIFY2(strong * 3 >= opaque, qPrintable(QStringLiteral("%1 of %2").arg(strong).arg(opaque)));
  }

  // The sort pictures' arrows: up for ascending, down for descending. The arrow is the widest
  // run of its colour at its head.
  void sortArrowsPointTheirWay_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("up");
    QTest::newRow("ascending") << "acSortSequenceAscendingByName" << true;
    QTest::newRow("descending") << "acSortSequenceDescendingByName" << false;
  }
  void sortArrowsPointTheirWay() {
    QFETCH(QString, action);
    QFETCH(bool, up);
    TfrmMain& main = makeMain();
    const QImage image = control<QAction>(main, qPrintable(action))
                             ->icon()
                             .pixmap(QSize(32, 32))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    // Row widths of the arrow's pixels (strong green or red) in the left half of the picture.
    int widestRow = -1;
    int widest = 0;
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
      int width = 0;
      for (int x = 0; x < image.width() / 2; ++x) {
        const QColor c = QColor::fromRgba(image.pixel(x, y));
        if (c.alpha() >= 128 && c.hsvSaturation() >= 120 &&
            (c.hue() < 30 || c.hue() > 330 || (c.hue() > 90 && c.hue() < 160)))
          ++width;
      }
      if (width > 0) ++rows;
      if (width > widest) {
        widest = width;
        widestRow = y;
      }
    }
    QVERIFY(rows > image.height() / 2);
    if (up)
      QVERIFY2(widestRow < image.height() / 2, qPrintable(QString::number(widestRow)));
    else
      QVERIFY2(widestRow >= image.height() / 2, qPrintable(QString::number(widestRow)));
  }

  void terminateCloses() {
    TfrmMain& main = makeMain();
    QVERIFY(main.isVisible());
    control<QAction>(main, "acTerminate")->trigger();
    QVERIFY(!main.isVisible());
    QVERIFY(m_fakes->prompts.shown.isEmpty());
  }
};

DUVANET_TEST(MainWindowTest)

}  // namespace duvanet::gui

#include "tst_MainWindow.moc"
