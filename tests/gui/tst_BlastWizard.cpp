#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QUrlQuery>

#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "ScopedApplicationName.h"
#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "gui/BlastWizard.h"
#include "gui/BrowserLauncher.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowHooks.h"
#include "gui/OpenUrl.h"
#include "gui/SequenceListBox.h"

namespace duvanet::gui {

using namespace duvanet::testing;

using namespace duvanet::core;

namespace {

// Records the URLs instead of starting a browser.
class RecordingBrowser : public duvanet::gui::BrowserLauncher {
 public:
  bool openUrl(const QUrl& url) override {
    urls.append(url);
    return answer;
  }
  QList<QUrl> urls;
  bool answer = true;

  QStringList encoded() const {
    QStringList texts;
    for (const auto& url : urls) texts << QString::fromLatin1(url.toEncoded());
    return texts;
  }
};

const QString kBase = QStringLiteral("https://blast.ncbi.nlm.nih.gov/BLAST/Blast.cgi");

QString query(const QString& alignments, const QString& view, const QString& database,
              const QString& data, const QString& page) {
  return kBase + QStringLiteral("?CMD=Web&LAYOUT=TwoWindows&AUTO_FORMAT=Semiauto&ALIGNMENTS=") +
         alignments + QStringLiteral("&ALIGNMENT_VIEW=") + view +
         QStringLiteral("&CLIENT=web&DATABASE=") + database +
         QStringLiteral("&DESCRIPTIONS=100&QUERY=") + data +
         QStringLiteral(
             "&EXPECT=10&FILTER=L&FORMAT_OBJECT=Alignment&FORMAT_TYPE=HTML&NCBI_GI=on&PAGE=") +
         page +
         QStringLiteral(
             "&SERVICE=plain&SET_DEFAULTS.x=34&SET_DEFAULTS.y=8&SHOW_OVERVIEW=on"
             "&END_OF_HTTPGET=Yes&SHOW_LINKOUT=yes&GET_SEQUENCE=yes&PERC_IDENT=None,1,-2");
}

QString startValuesUrl(const QString& data) {
  return query(QStringLiteral("50"), QStringLiteral("Tabular"), QStringLiteral("nr"), data,
               QStringLiteral("MegaBlast"));
}

void add(tSequenceList& list, const QString& name, const QString& data) {
  const int index = list.AddSequence();
  list.SetSequence(index, tSequence{name, data, {}});
}

}  // namespace

class TestBlastWizard : public QObject {
  Q_OBJECT

  // The caption starts with the application's title.
  ScopedApplicationName m_title{QStringLiteral("Duvanet")};
  QList<int> m_selected;
  RecordingBrowser m_browser;
  FakePrompts m_prompts;
  tSequenceList m_list;

  std::unique_ptr<TfrmBLASTWizard> makeWizard() {
    return std::make_unique<TfrmBLASTWizard>(
        m_list, [this] { return m_selected; }, m_browser, m_prompts);
  }

  // The text of the local file a file: URL names.
  static QString fileText(const QUrl& url) {
    QFile file(url.toLocalFile());
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
  }

 private slots:
  void init() {
    m_browser.urls.clear();
    m_browser.answer = true;
    m_prompts.shown.clear();
    m_list.DeleteAllSequences();
    add(m_list, QStringLiteral("one"), QStringLiteral("ACGT"));
    add(m_list, QStringLiteral("two"), QStringLiteral("acg-tn"));
    add(m_list, QStringLiteral("three"), QStringLiteral("GGGCCC"));
    add(m_list, QStringLiteral("four"), QStringLiteral("AC\r\nGT&DATABASE=x#1 %+2"));
  }

  void startValues() {
    auto wizard = makeWizard();
    QCOMPARE(control<QTabWidget>(wizard, "pcDatabaseSelector")->count(), 1);
    QCOMPARE(control<QTabWidget>(wizard, "pcDatabaseSelector")->tabText(0), QStringLiteral("NCBI"));
    QCOMPARE(control<QTabWidget>(wizard, "pcNCBIPreferences")->tabPosition(), QTabWidget::South);
    QCOMPARE(control<QTabWidget>(wizard, "pcNCBIPreferences")->tabText(0),
             QStringLiteral("Alignment"));
    QCOMPARE(control<QTabWidget>(wizard, "pcNCBIPreferences")->tabText(1),
             QStringLiteral("Database"));
    QCOMPARE(control<QTabWidget>(wizard, "pcNCBIPreferences")->currentWidget(),
             control<QWidget>(wizard, "TabSheet3"));
    QCOMPARE(control<QSpinBox>(wizard, "udNCBIAlignmentCounter")->minimum(), 1);
    QCOMPARE(control<QSpinBox>(wizard, "udNCBIAlignmentCounter")->maximum(), 32767);
    QCOMPARE(control<QSpinBox>(wizard, "udNCBIAlignmentCounter")->value(), 50);
    QCOMPARE(control<QLineEdit>(wizard, "edNCBIAlignmentCounter")->text(), QStringLiteral("50"));
    const auto items = [](QComboBox* list) {
      QStringList texts;
      for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
      return texts;
    };
    QCOMPARE(items(control<QComboBox>(wizard, "cobNCBIAlignmentCommand")),
             (QStringList{"FlatQueryAnchored", "FlatQueryAnchoredNoIdentities", "Pairwise",
                          "QueryAnchored", "QueryAnchoredNoIdentities", "Tabular"}));
    QCOMPARE(control<QComboBox>(wizard, "cobNCBIAlignmentCommand")->currentText(),
             QStringLiteral("Tabular"));
    QCOMPARE(items(control<QComboBox>(wizard, "cobNCBISelectedDatabase")),
             (QStringList{"nr", "swissprot"}));
    QCOMPARE(control<QComboBox>(wizard, "cobNCBISelectedDatabase")->currentText(),
             QStringLiteral("nr"));
    QCOMPARE(items(control<QComboBox>(wizard, "cobNCBIWebpage")),
             (QStringList{"Proteins", "Nucleotides", "Translations", "MegaBlast"}));
    QCOMPARE(control<QComboBox>(wizard, "cobNCBIWebpage")->currentText(),
             QStringLiteral("MegaBlast"));
    for (QComboBox* list : {control<QComboBox>(wizard, "cobNCBIAlignmentCommand"),
                            control<QComboBox>(wizard, "cobNCBISelectedDatabase"),
                            control<QComboBox>(wizard, "cobNCBIWebpage")})
      QVERIFY(!list->isEditable());
    QCOMPARE(control<QPushButton>(wizard, "btSequenceBLAST")->text(), QStringLiteral("BLAST"));
    QCOMPARE(control<QPushButton>(wizard, "Button2")->text(), QStringLiteral("Cancel"));
  }

  void captionAndLabel_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("label");
    QTest::newRow("one") << QList<int>{2} << "1 sequence selected.";
    QTest::newRow("three") << QList<int>{0, 1, 3} << "3 sequences selected.";
    QTest::newRow("four") << QList<int>{3, 2, 1, 0} << "4 sequences selected.";
    QTest::newRow("none") << QList<int>{} << "0 sequences selected.";
  }
  void captionAndLabel() {
    QFETCH(QList<int>, selected);
    QFETCH(QString, label);
    auto wizard = makeWizard();
    m_selected = {0, 1};
    wizard->show();
    wizard->close();
    m_selected = selected;
    wizard->show();
    QCOMPARE(wizard->windowTitle(), QStringLiteral("Duvanet BLAST wizard"));
    QCOMPARE(control<QLabel>(wizard, "lblNoOfSequences")->text(), label);
  }

  void oneRequestPerSelectedSequenceInListOrder_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("urls");
    QTest::newRow("one") << QList<int>{0} << QStringList{startValuesUrl("ACGT")};
    QTest::newRow("three, selected out of order")
        << QList<int>{2, 0, 1}
        << QStringList{startValuesUrl("ACGT"), startValuesUrl("acg-tn"), startValuesUrl("GGGCCC")};
  }
  void oneRequestPerSelectedSequenceInListOrder() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, urls);
    auto wizard = makeWizard();
    m_selected = selected;
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(m_browser.encoded(), urls);
  }

  void changedOptionsReachTheUrl() {
    auto wizard = makeWizard();
    m_selected = {0};
    wizard->show();
    control<QTabWidget>(wizard, "pcNCBIPreferences")
        ->setCurrentWidget(control<QWidget>(wizard, "TabSheet2"));
    control<QLineEdit>(wizard, "edNCBIAlignmentCounter")->selectAll();
    QTest::keyClicks(control<QLineEdit>(wizard, "edNCBIAlignmentCounter"), QStringLiteral("250"));
    control<QComboBox>(wizard, "cobNCBIAlignmentCommand")
        ->setCurrentText(QStringLiteral("Pairwise"));
    control<QComboBox>(wizard, "cobNCBISelectedDatabase")
        ->setCurrentText(QStringLiteral("swissprot"));
    control<QComboBox>(wizard, "cobNCBIWebpage")->setCurrentText(QStringLiteral("Proteins"));
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QCOMPARE(m_browser.encoded(),
             QStringList{query("250", "Pairwise", "swissprot", "ACGT", "Proteins")});

    // The options are still set at the next opening and used again.
    wizard->show();
    QCOMPARE(control<QSpinBox>(wizard, "udNCBIAlignmentCounter")->value(), 250);
    QCOMPARE(control<QComboBox>(wizard, "cobNCBIAlignmentCommand")->currentText(),
             QStringLiteral("Pairwise"));
    QCOMPARE(control<QComboBox>(wizard, "cobNCBISelectedDatabase")->currentText(),
             QStringLiteral("swissprot"));
    QCOMPARE(control<QComboBox>(wizard, "cobNCBIWebpage")->currentText(),
             QStringLiteral("Proteins"));
    QCOMPARE(control<QTabWidget>(wizard, "pcNCBIPreferences")->currentWidget(),
             control<QWidget>(wizard, "TabSheet2"));
    m_selected = {2};
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QCOMPARE(m_browser.encoded().last(),
             query("250", "Pairwise", "swissprot", "GGGCCC", "Proteins"));
  }

  void dataWithBreaksAndSeparatorsArrivesIntact() {
    auto wizard = makeWizard();
    m_selected = {3};
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QCOMPARE(m_browser.urls.size(), 1);
    const QUrl url = m_browser.urls.first();
    QCOMPARE(QString::fromLatin1(url.toEncoded()),
             startValuesUrl("AC%0D%0AGT%26DATABASE%3Dx%231%20%25%2B2"));
    const QUrlQuery items(url);
    QCOMPARE(items.queryItemValue(QStringLiteral("QUERY"), QUrl::FullyDecoded),
             QStringLiteral("AC\r\nGT&DATABASE=x#1 %+2"));
    QCOMPARE(items.allQueryItemValues(QStringLiteral("DATABASE")), QStringList{"nr"});
    QCOMPARE(items.queryItems().size(), 23);
    QVERIFY(!url.hasFragment());
  }

  void cancelOpensNothing() {
    auto wizard = makeWizard();
    m_selected = {0, 1, 2};
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "Button2"), Qt::LeftButton);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(wizard->result(), int(QDialog::Rejected));
    QVERIFY(m_browser.urls.isEmpty());
  }

  // Without a browser the dialog still closes, and one warning gives every query address so
  // that the user can open them by hand.
  void noBrowserWarnsWithTheAddresses() {
    auto wizard = makeWizard();
    m_browser.answer = false;
    m_selected = {0, 2};
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(m_browser.urls.size(), 2);
    QCOMPARE(m_prompts.texts(),
             QStringList{QStringLiteral(
                 "warning: No web browser could be started. Open the query address below in a "
                 "web browser to run the BLAST search.")});
    QCOMPARE(m_prompts.shown.first().details,
             startValuesUrl("ACGT") + QStringLiteral("\n\n") + startValuesUrl("GGGCCC"));

    // With a browser again, the next run warns about nothing.
    m_browser.answer = true;
    m_prompts.shown.clear();
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QVERIFY(m_prompts.shown.isEmpty());
  }

  // A query whose address would pass the limit goes as a local page that posts the same keys;
  // up to the limit it stays one address.
  void longQueriesArePostedFromALocalPage_data() {
    QTest::addColumn<int>("extra");  // URL length minus the limit
    QTest::addColumn<bool>("posted");
    QTest::newRow("address at the limit") << 0 << false;
    QTest::newRow("one symbol more") << 1 << true;
    QTest::newRow("twenty thousand symbols") << 20000 << true;
  }
  void longQueriesArePostedFromALocalPage() {
    QFETCH(int, extra);
    QFETCH(bool, posted);
    const qsizetype fixedPart = blastQueryUrl(BlastQueryOptions{}, QString()).size();
    QString data(kBlastLongestUrl - fixedPart + extra, QLatin1Char('A'));
    data[data.size() - 1] = QLatin1Char('C');
    add(m_list, QStringLiteral("long"), data);
    auto wizard = makeWizard();
    m_selected = {4};
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QCOMPARE(m_browser.urls.size(), 1);
    const QUrl opened = m_browser.urls.first();
    if (!posted) {
      QCOMPARE(QString::fromLatin1(opened.toEncoded()), startValuesUrl(data));
      QCOMPARE(opened.toEncoded().size(), kBlastLongestUrl);
      return;
    }
    QVERIFY(opened.isLocalFile());
    const QString page = fileText(opened);
    QCOMPARE(QString::fromUtf8(blastFormPage(BlastQueryOptions{}, data)), page);
    QVERIFY(page.contains(QStringLiteral("name=\"QUERY\" value=\"") + data + QStringLiteral("\"")));

    // Without a browser, the warning names the page's address.
    m_browser.answer = false;
    wizard->show();
    QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    QCOMPARE(m_prompts.shown.size(), 1);
    const QUrl second(m_prompts.shown.first().details);
    QVERIFY(second.isLocalFile());
    QVERIFY(second != opened);
    QCOMPARE(fileText(second), page);
  }

  void openUrlKeepsEscapes_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("opened");
    QTest::newRow("home page") << "https://duvanet.example.org" << true;
    QTest::newRow("escapes stay") << "https://h.example/p?a=1%262&b=%0A" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("bad port") << "http://h.example:x/" << false;
  }
  void openUrlKeepsEscapes() {
    QFETCH(QString, url);
    QFETCH(bool, opened);
    QCOMPARE(OpenURLInBrowser(m_browser, url), opened);
    if (opened) {
      QCOMPARE(m_browser.encoded(), QStringList{url});
    } else {
      QVERIFY(m_browser.urls.isEmpty());
    }
    m_browser.urls.clear();
    m_browser.answer = false;
    if (opened) QVERIFY(!OpenURLInBrowser(m_browser, url));
  }

  // The program's own BLAST action: the selected rows of the main list reach the browser port,
  // one request each in list order; the list is refilled afterwards.
  void throughTheMainWindow() {
    FakePorts fakes;
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    hooks.showInformationScreen = [](TfrmMain&) {};
    TfrmMain main(fakes.ports(), hooks);
    main.CreateWizards();
    main.show();
    for (const auto& [name, data] : {std::pair{"plain", "ACGT"}, std::pair{"skipped", "TTTT"},
                                     std::pair{"broken", "AC\nGT&PAGE=x"}}) {
      const int index = main.SequenceList().AddSequence();
      main.SequenceList().SetSequence(index, tSequence{name, data, {}});
    }
    main.UpdateDisplayElements();
    main.lbSequenceList()->setRowSelected(2, true);
    main.lbSequenceList()->setRowSelected(0, true);

    QString label;
    onNextModal([&label](QWidget* modal) {
      auto* wizard = qobject_cast<TfrmBLASTWizard*>(modal);
      if (!wizard) {
        modal->close();
        return;
      }
      label = control<QLabel>(wizard, "lblNoOfSequences")->text();
      QTest::mouseClick(control<QPushButton>(wizard, "btSequenceBLAST"), Qt::LeftButton);
    });
    control<QAction>(main, "acBLAST")->trigger();
    QCOMPARE(label, QStringLiteral("2 sequences selected."));
    QStringList urls;
    for (const QUrl& url : fakes.browser.opened) urls << QString::fromLatin1(url.toEncoded());
    QCOMPARE(urls, (QStringList{startValuesUrl("ACGT"), startValuesUrl("AC%0AGT%26PAGE%3Dx")}));
    QCOMPARE(main.SelectedRows(), QList<int>{});

    // Cancel sends nothing.
    main.lbSequenceList()->setRowSelected(1, true);
    onNextModal([](QWidget* modal) {
      if (auto* wizard = qobject_cast<TfrmBLASTWizard*>(modal)) {
        QTest::mouseClick(control<QPushButton>(wizard, "Button2"), Qt::LeftButton);
      } else {
        modal->close();
      }
    });
    control<QAction>(main, "acBLAST")->trigger();
    QCOMPARE(fakes.browser.opened.size(), 2);
  }
};

DUVANET_TEST(TestBlastWizard)

}  // namespace duvanet::gui

#include "tst_BlastWizard.moc"
