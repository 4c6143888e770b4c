#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "FakePorts.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "ScopedApplicationName.h"
#include "TestRegistry.h"
#include "core/GeneticCodes.h"
#include "core/SequenceList.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowHooks.h"
#include "gui/SequenceListBox.h"
#include "gui/TranscriptionWizard.h"

namespace duvanet::gui {

using namespace duvanet::testing;

namespace {

struct Entry {
  QString name;
  QString data;
  bool operator==(const Entry& other) const { return name == other.name && data == other.data; }
};

QList<Entry> entriesFrom(const tSequenceList& list, int first) {
  QList<Entry> entries;
  for (int i = first; i < list.Count(); ++i) {
    tSequence sequence;
    list.GetSequence(i, sequence);
    entries.append({sequence.Name, sequence.Data});
  }
  return entries;
}

char* toString(const Entry& entry) {
  return qstrdup((entry.name + QStringLiteral(" = ") + entry.data).toUtf8().constData());
}

void add(tSequenceList& list, const QString& name, const QString& data) {
  const int index = list.AddSequence();
  list.SetSequence(index, tSequence{name, data, {}});
}

enum Direction { Forward, Reverse, Both };

}  // namespace

class TestTranscriptionWizard : public QObject {
  Q_OBJECT

  // The caption starts with the application's title.
  ScopedApplicationName m_title{QStringLiteral("Duvanet")};
  QList<int> m_selected;

  // A wizard over `list` whose main list selection is m_selected.
  std::unique_ptr<TfrmTranscriptionWizard> makeWizard(tSequenceList& list) {
    return std::make_unique<TfrmTranscriptionWizard>(list, [this] { return m_selected; });
  }

  static void clickApply(TfrmTranscriptionWizard& wizard) {
    QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptAccept"), Qt::LeftButton);
  }

 private slots:
  void startValuesAndCaption() {
    tSequenceList list;
    auto wizard = makeWizard(list);
    QCOMPARE(wizard->windowTitle(), QStringLiteral("Duvanet translation wizard"));
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->count(), 2);
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->tabText(0),
             QStringLiteral("DNA => Amino acid"));
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->tabText(1),
             QStringLiteral("DNA reverse complement"));
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->currentWidget(),
             control<QWidget>(wizard, "TabSheet1"));
    QCOMPARE(control<QComboBox>(wizard, "cobTranslateToGeneCode")->count(), 17);
    QCOMPARE(control<QComboBox>(wizard, "cobTranslateToGeneCode")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>(wizard, "cobTranslateToGeneCode")->currentText(),
             QStringLiteral("Standard genetic code"));
    for (int i = 0; i < duvanet::core::kGeneticCodeCount; ++i)
      QCOMPARE(control<QComboBox>(wizard, "cobTranslateToGeneCode")->itemText(i),
               QString::fromUtf8(GeneticCodeNames[i]));
    QVERIFY(!control<QComboBox>(wizard, "cobTranslateToGeneCode")->isEditable());
    QVERIFY(control<QRadioButton>(wizard, "rbDNA2ASSingle")->isChecked());
    QVERIFY(!control<QRadioButton>(wizard, "RadioButton2")->isChecked());
    QCOMPARE(control<QComboBox>(wizard, "cobNucleoBaseOffset")->count(), 3);
    QCOMPARE(control<QComboBox>(wizard, "cobNucleoBaseOffset")->currentText(), QStringLiteral("0"));
    QVERIFY(control<QRadioButton>(wizard, "rbDNA2ASNormal")->isChecked());
    QCOMPARE(control<QPushButton>(wizard, "btTranscriptAccept")->text(), QStringLiteral("Apply"));
    QCOMPARE(control<QPushButton>(wizard, "btTranscriptClose")->text(), QStringLiteral("Close"));
    // The offset list stays usable whichever frame choice is made.
    control<QRadioButton>(wizard, "RadioButton2")->setChecked(true);
    QVERIFY(control<QComboBox>(wizard, "cobNucleoBaseOffset")->isEnabled());
  }

  void selectionLabel_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("label");
    QTest::newRow("one") << QList<int>{1} << "1 sequence selected.";
    QTest::newRow("two") << QList<int>{0, 2} << "2 sequences selected.";
    QTest::newRow("three") << QList<int>{2, 0, 1} << "3 sequences selected.";
    QTest::newRow("none") << QList<int>{} << "0 sequences selected.";
  }
  void selectionLabel() {
    QFETCH(QList<int>, selected);
    QFETCH(QString, label);
    tSequenceList list;
    for (int i = 0; i < 3; ++i) add(list, QStringLiteral("S%1").arg(i), QStringLiteral("ACGT"));
    auto wizard = makeWizard(list);
    m_selected = {0, 1};
    wizard->show();
    wizard->close();
    // The label is written again at every opening.
    m_selected = selected;
    wizard->show();
    QCOMPARE(control<QLabel>(wizard, "lbNoOfSelectedItems")->text(), label);
  }

  // The new entries, in order, are those the core's translations give for the selected rows.
  void translationOrder_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("allFrames");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("codeTable");
    QTest::addColumn<int>("expectedCount");
    QTest::newRow("start values") << QList<int>{0} << false << 0 << int(Forward) << 0 << 1;
    QTest::newRow("single offset 2 both") << QList<int>{1} << false << 2 << int(Both) << 0 << 2;
    QTest::newRow("single offset 1 reverse")
        << QList<int>{0} << false << 1 << int(Reverse) << 0 << 1;
    QTest::newRow("all frames forward") << QList<int>{0} << true << 2 << int(Forward) << 0 << 3;
    QTest::newRow("all frames both, two sequences")
        << QList<int>{2, 0} << true << 0 << int(Both) << 0 << 12;
    QTest::newRow("code table 2") << QList<int>{0, 1, 2} << false << 0 << int(Forward) << 1 << 3;
  }
  void translationOrder() {
    QFETCH(QList<int>, selected);
    QFETCH(bool, allFrames);
    QFETCH(int, offset);
    QFETCH(int, direction);
    QFETCH(int, codeTable);
    QFETCH(int, expectedCount);
    tSequenceList list;
    add(list, QStringLiteral("first"), QStringLiteral("ATGTGACCCAAAGGGTTTA"));
    add(list, QStringLiteral("second"), QStringLiteral("GCNTARTAYMGRTTN"));
    add(list, QStringLiteral("third"), QStringLiteral("TTGTGAATAAGA"));
    auto wizard = makeWizard(list);
    m_selected = selected;
    wizard->show();
    (allFrames ? control<QRadioButton>(wizard, "RadioButton2")
               : control<QRadioButton>(wizard, "rbDNA2ASSingle"))
        ->setChecked(true);
    control<QComboBox>(wizard, "cobNucleoBaseOffset")->setCurrentIndex(offset);
    (direction == Forward   ? control<QRadioButton>(wizard, "rbDNA2ASNormal")
     : direction == Reverse ? control<QRadioButton>(wizard, "rbDNA2ASRevComplement")
                            : control<QRadioButton>(wizard, "rbDNA2ASNormAndRevComplement"))
        ->setChecked(true);
    control<QComboBox>(wizard, "cobTranslateToGeneCode")->setCurrentIndex(codeTable);
    clickApply(*wizard);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(wizard->result(), int(QDialog::Accepted));

    QList<int> rows = selected;
    std::sort(rows.begin(), rows.end());
    const QList<int> offsets = allFrames ? QList<int>{0, 1, 2} : QList<int>{offset};
    QList<Entry> expected;
    for (const int row : rows) {
      if (direction != Reverse)
        for (const int o : offsets) {
          const auto r = list.DNA2AminoAcidIUPAC(row, o, codeTable);
          expected.append({r.Name, r.Data});
        }
      if (direction != Forward)
        for (const int o : offsets) {
          const auto r = list.DNA2AminoAcidRevComplement(row, o, codeTable);
          expected.append({r.Name, r.Data});
        }
    }
    QCOMPARE(list.Count(), 3 + expectedCount);
    QCOMPARE(entriesFrom(list, 3), expected);
    // The sources are left as they were.
    QCOMPARE(entriesFrom(list, 0).mid(0, 3), (QList<Entry>{{"first", "ATGTGACCCAAAGGGTTTA"},
                                                           {"second", "GCNTARTAYMGRTTN"},
                                                           {"third", "TTGTGAATAAGA"}}));
  }

  // The same run read literally: names and data as the user sees them.
  void translationNamesAndData() {
    tSequenceList list;
    add(list, QStringLiteral("s"), QStringLiteral("ATGTGAAAA"));
    auto wizard = makeWizard(list);
    m_selected = {0};
    wizard->show();
    control<QRadioButton>(wizard, "rbDNA2ASNormAndRevComplement")->setChecked(true);
    control<QComboBox>(wizard, "cobTranslateToGeneCode")->setCurrentIndex(1);  // TGA reads as W
    clickApply(*wizard);
    QCOMPARE(entriesFrom(list, 1),
             (QList<Entry>{{"s (DNA->AS (IUPAC), offset: 0, triplets: 3)", "MWK"},
                           {"s (DNA->AS, reverse complement, offset: 0, triplets: 3)", "FSH"}}));
  }

  void tooShortSequenceStillGivesAnEntry() {
    tSequenceList list;
    add(list, QStringLiteral("short"), QStringLiteral("ATG"));
    auto wizard = makeWizard(list);
    m_selected = {0};
    wizard->show();
    control<QRadioButton>(wizard, "rbDNA2ASNormAndRevComplement")->setChecked(true);
    clickApply(*wizard);
    QCOMPARE(entriesFrom(list, 1),
             (QList<Entry>{{"short(Translation: not enough DNA nucleo bases)", "ATG"},
                           {"short(conversion: not enough DNA nucleo bases)", "CAT"}}));
  }

  void reverseComplementPage() {
    tSequenceList list;
    add(list, QStringLiteral("a"), QStringLiteral("ACGTN"));
    add(list, QStringLiteral("b"), QStringLiteral("AAAA"));
    add(list, QStringLiteral("c"), QStringLiteral("RYKM-x"));
    add(list, QStringLiteral("d"), QStringLiteral("CCC"));
    auto wizard = makeWizard(list);
    m_selected = {3, 0, 2};
    wizard->show();
    control<QTabWidget>(wizard, "PageControl1")
        ->setCurrentWidget(control<QWidget>(wizard, "TabSheet2"));
    clickApply(*wizard);
    QVERIFY(!wizard->isVisible());
    QCOMPARE(wizard->result(), int(QDialog::Accepted));
    QString revA, revC, revD;
    tSequenceList::ReverseComplementDNA(QStringLiteral("ACGTN"), revA);
    tSequenceList::ReverseComplementDNA(QStringLiteral("RYKM-x"), revC);
    tSequenceList::ReverseComplementDNA(QStringLiteral("CCC"), revD);
    QCOMPARE(revA, QStringLiteral("NACGT"));
    QCOMPARE(entriesFrom(list, 4), (QList<Entry>{{"a (reverse complement)", revA},
                                                 {"c (reverse complement)", revC},
                                                 {"d (reverse complement)", "GGG"}}));
  }

  void closeAddsNothing() {
    tSequenceList list;
    add(list, QStringLiteral("a"), QStringLiteral("ACGTACGT"));
    auto wizard = makeWizard(list);
    m_selected = {0};
    for (QWidget* page :
         {control<QWidget>(wizard, "TabSheet1"), control<QWidget>(wizard, "TabSheet2")}) {
      wizard->show();
      control<QTabWidget>(wizard, "PageControl1")->setCurrentWidget(page);
      QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptClose"), Qt::LeftButton);
      QVERIFY(!wizard->isVisible());
      QCOMPARE(wizard->result(), int(QDialog::Rejected));
      QCOMPARE(list.Count(), 1);
    }
  }

  // A fixed-size window: no maximise button, no resizing; every opening finds it where the
  // first one put it, also after the user moved it.
  void fixedSizeWindowReopensInItsFirstPlace() {
    tSequenceList list;
    add(list, QStringLiteral("a"), QStringLiteral("ACGT"));
    auto wizard = makeWizard(list);
    m_selected = {0};
    const Qt::WindowFlags flags = wizard->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QCOMPARE(wizard->minimumSize(), QSize(493, 339));
    QCOMPARE(wizard->maximumSize(), QSize(493, 339));
    wizard->show();
    const QPoint first = wizard->pos();
    QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptClose"), Qt::LeftButton);
    for (int opening = 0; opening < 2; ++opening) {
      wizard->show();
      QCOMPARE(wizard->pos(), first);
      wizard->move(first + QPoint(40, 30));
      QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptClose"), Qt::LeftButton);
    }
    QCOMPARE(wizard->size(), QSize(493, 339));
  }

  void choicesStayBetweenOpenings() {
    tSequenceList list;
    add(list, QStringLiteral("a"), QStringLiteral("ACGTACGTACGT"));
    auto wizard = makeWizard(list);
    m_selected = {0};
    wizard->show();
    control<QRadioButton>(wizard, "RadioButton2")->setChecked(true);
    control<QComboBox>(wizard, "cobNucleoBaseOffset")->setCurrentIndex(2);
    control<QRadioButton>(wizard, "rbDNA2ASRevComplement")->setChecked(true);
    control<QComboBox>(wizard, "cobTranslateToGeneCode")->setCurrentIndex(5);
    clickApply(*wizard);
    QCOMPARE(list.Count(), 4);

    wizard->show();
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->currentWidget(),
             control<QWidget>(wizard, "TabSheet1"));
    QVERIFY(control<QRadioButton>(wizard, "RadioButton2")->isChecked());
    QCOMPARE(control<QComboBox>(wizard, "cobNucleoBaseOffset")->currentIndex(), 2);
    QVERIFY(control<QRadioButton>(wizard, "rbDNA2ASRevComplement")->isChecked());
    QCOMPARE(control<QComboBox>(wizard, "cobTranslateToGeneCode")->currentIndex(), 5);
    control<QTabWidget>(wizard, "PageControl1")
        ->setCurrentWidget(control<QWidget>(wizard, "TabSheet2"));
    QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptClose"), Qt::LeftButton);

    wizard->show();
    QCOMPARE(control<QTabWidget>(wizard, "PageControl1")->currentWidget(),
             control<QWidget>(wizard, "TabSheet2"));
  }

  // The program's own action: the main list's selection is translated, the list shows the new
  // entries at its end afterwards.
  void throughTheMainWindow() {
    FakePorts fakes;
    duvanet::gui::MainWindowHooks hooks = duvanet::gui::DefaultMainWindowHooks();
    hooks.showInformationScreen = [](TfrmMain&) {};
    TfrmMain main(fakes.ports(), hooks);
    main.CreateWizards();
    main.show();
    add(main.SequenceList(), QStringLiteral("x"), QStringLiteral("ATGAAA"));
    add(main.SequenceList(), QStringLiteral("y"), QStringLiteral("TTTCCC"));
    main.UpdateDisplayElements();
    main.lbSequenceList()->setRowSelected(1, true);

    QString label;
    onNextModal([&label](QWidget* modal) {
      auto* wizard = qobject_cast<TfrmTranscriptionWizard*>(modal);
      if (!wizard) {
        modal->close();
        return;
      }
      label = control<QLabel>(wizard, "lbNoOfSelectedItems")->text();
      control<QTabWidget>(wizard, "PageControl1")
          ->setCurrentWidget(control<QWidget>(wizard, "TabSheet2"));
      QTest::mouseClick(control<QPushButton>(wizard, "btTranscriptAccept"), Qt::LeftButton);
    });
    control<QAction>(main, "acTranslationWizard")->trigger();
    QCOMPARE(label, QStringLiteral("1 sequence selected."));
    QStringList rows;
    for (int i = 0; i < main.lbSequenceList()->count(); ++i)
      rows << main.lbSequenceList()->rowText(i);
    QCOMPARE(rows, (QStringList{"x", "y", "y (reverse complement)"}));
    QCOMPARE(entriesFrom(main.SequenceList(), 2),
             (QList<Entry>{{"y (reverse complement)", "GGGAAA"}}));
  }
};

DUVANET_TEST(TestTranscriptionWizard)

}  // namespace duvanet::gui

#include "tst_TranscriptionWizard.moc"
