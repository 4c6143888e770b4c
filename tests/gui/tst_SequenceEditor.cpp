#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include "FindControl.h"
#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "gui/SequenceEditor.h"

namespace duvanet::gui {

using namespace duvanet::testing;

class SequenceEditorTest : public QObject {
  Q_OBJECT

 private:
  // A workspace of five entries; entry 2 holds the given data.
  static void fill(tSequenceList& list, const QString& data) {
    for (int i = 0; i < 5; ++i) {
      const int index = list.AddSequence();
      list.SetSequence(index, tSequence{QStringLiteral("n%1").arg(i),
                                        i == 2 ? data : QStringLiteral("d%1").arg(i),
                                        {}});
    }
  }

  static void select(QPlainTextEdit* edit, int start, int length) {
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
  }

 private slots:
  void layout() {
    tSequenceList list;
    fill(list, QStringLiteral("ACGT"));
    TfrmSequenceEditor editor(nullptr, list, 2);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Sequence editor"));
    QCOMPARE(control<QLineEdit>(editor, "edSequenceName")->text(), QStringLiteral("n2"));
    QCOMPARE(control<QPlainTextEdit>(editor, "meSequenceEdit")->toPlainText(),
             QStringLiteral("ACGT"));
    QCOMPARE(control<QPushButton>(editor, "btSequenceDelSpaces")->text(),
             QStringLiteral("Delete spaces"));
    QCOMPARE(control<QPushButton>(editor, "btSequenceDelCRLF")->text(),
             QStringLiteral("Delete CR+LF"));
    QCOMPARE(control<QPushButton>(editor, "btSequenceUpperCase")->text(),
             QStringLiteral("Upper case"));
    QCOMPARE(control<QPushButton>(editor, "btSequenceLowerCase")->text(),
             QStringLiteral("Lower case"));
    QCOMPARE(control<QPushButton>(editor, "Button2")->text(), QStringLiteral("Accept"));
    QCOMPARE(control<QPushButton>(editor, "Button1")->text(), QStringLiteral("Cancel"));
    QCOMPARE(control<QPushButton>(editor, "btSequenceUpperCase")->size(), QSize(113, 25));
    QCOMPARE(editor.minimumSize(), QSize(450, 300));
    // Tab types a tab character.
    editor.show();
    control<QPlainTextEdit>(editor, "meSequenceEdit")->setFocus();
    control<QPlainTextEdit>(editor, "meSequenceEdit")->moveCursor(QTextCursor::End);
    QTest::keyClick(control<QPlainTextEdit>(editor, "meSequenceEdit"), Qt::Key_Tab);
    QCOMPARE(editor.EditedData(), QStringLiteral("ACGT\t"));
  }

  void buttons_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("delete CR+LF") << "AC\r\nGT\r\n"
                                  << "crlf" << 0 << 0 << "ACGT";
    QTest::newRow("delete lone LF and CR") << "A\nC\rG"
                                           << "crlf" << 0 << 0 << "ACG";
    QTest::newRow("delete spaces") << "A C G T"
                                   << "spaces" << 0 << 0 << "ACGT";
    QTest::newRow("tab stays") << "A\tC G"
                               << "spaces" << 0 << 0 << "A\tCG";
    QTest::newRow("spaces keep line breaks") << "A C\r\nG T"
                                             << "spaces" << 0 << 0 << "AC\r\nGT";
    QTest::newRow("upper case selection") << "xacgx"
                                          << "upper" << 1 << 3 << "xACGx";
    QTest::newRow("upper case without selection") << "xacgx"
                                                  << "upper" << 0 << 0 << "xacgx";
    QTest::newRow("lower case umlaut")
        << QString::fromUtf8("ÄB") << "lower" << 0 << 2 << QString::fromUtf8("äb");
    QTest::newRow("upper sharp s keeps length")
        << QString::fromUtf8("aßb") << "upper" << 0 << 3 << QString::fromUtf8("AßB");
    QTest::newRow("lower across a line break") << "AC\r\nGT"
                                               << "lower" << 1 << 3 << "Ac\r\ngT";
    QTest::newRow("lower case without selection") << "ACGT"
                                                  << "lower" << 0 << 0 << "ACGT";
  }
  void buttons() {
    QFETCH(QString, data);
    QFETCH(QString, button);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    tSequenceList list;
    fill(list, data);
    TfrmSequenceEditor editor(nullptr, list, 2);
    control<QLineEdit>(editor, "edSequenceName")->setText(QStringLiteral("kept name"));
    if (selLength > 0)
      select(control<QPlainTextEdit>(editor, "meSequenceEdit"), selStart, selLength);
    QPushButton* b = button == "crlf"     ? control<QPushButton>(editor, "btSequenceDelCRLF")
                     : button == "spaces" ? control<QPushButton>(editor, "btSequenceDelSpaces")
                     : button == "upper"  ? control<QPushButton>(editor, "btSequenceUpperCase")
                                          : control<QPushButton>(editor, "btSequenceLowerCase");
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(editor.EditedData(), expected);
    QCOMPARE(control<QLineEdit>(editor, "edSequenceName")->text(), QStringLiteral("kept name"));
    // The buttons never touch the workspace.
    tSequence stored;
    QVERIFY(list.GetSequence(2, stored));
    QCOMPARE(stored.Data, data);
    QCOMPARE(stored.Name, QStringLiteral("n2"));
  }

  void accept_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("empty name at 0") << 0 << ""
                                     << "Sequence 0";
    QTest::newRow("empty name at 4") << 4 << ""
                                     << "Sequence 4";
    QTest::newRow("blanks are kept") << 1 << "   "
                                     << "   ";
    QTest::newRow("typed name") << 3 << "my name"
                                << "my name";
  }
  void accept() {
    QFETCH(int, index);
    QFETCH(QString, typedName);
    QFETCH(QString, storedName);
    tSequenceList list;
    fill(list, QStringLiteral("x"));
    const QStringList before = list.Names();
    TfrmSequenceEditor editor(nullptr, list, index);
    QSignalSpy accepted(&editor, &QDialog::accepted);
    control<QLineEdit>(editor, "edSequenceName")->setText(typedName);
    control<QPlainTextEdit>(editor, "meSequenceEdit")->setPlainText(QStringLiteral("NEW"));
    QTest::mouseClick(control<QPushButton>(editor, "Button2"), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);
    QStringList after = before;
    after[index] = storedName;
    QCOMPARE(list.Names(), after);
    tSequence stored;
    QVERIFY(list.GetSequence(index, stored));
    QCOMPARE(stored.Data, QStringLiteral("NEW"));
  }

  void acceptWithoutChangeKeepsDataAndLineBreaks_data() {
    QTest::addColumn<QString>("data");
    QTest::newRow("CR LF") << "AC\r\nGT\r\n";
    QTest::newRow("LF only") << "AC\nGT";
    QTest::newRow("no break") << "ACGT";
    QTest::newRow("no-break space") << QString::fromUtf8("A\u00a0C");
    QTest::newRow("empty") << "";
    QTest::newRow("mixed CR LF and LF") << "AC\r\nGT\nTT\r\nGG\n";
    QTest::newRow("CR only") << "AC\rGT\r";
    QTest::newRow("lone CR before CR LF") << "A\r\r\nB\n\rC";
    QTest::newRow("line and paragraph separators")
        << QString::fromUtf16(u"A\u2028C\u2029G\r\nT\u2028");
    QTest::newRow("only breaks") << "\n\r\n\r\n";
  }
  void acceptWithoutChangeKeepsDataAndLineBreaks() {
    QFETCH(QString, data);
    tSequenceList list;
    fill(list, data);
    TfrmSequenceEditor editor(nullptr, list, 2);
    editor.Button2Click();
    tSequence stored;
    QVERIFY(list.GetSequence(2, stored));
    QCOMPARE(stored.Data, data);
    QCOMPARE(stored.Name, QStringLiteral("n2"));
    QCOMPARE(list.Names(), QStringList({"n0", "n1", "n2", "n3", "n4"}));
  }

  // Editing one place of the text keeps every line break elsewhere as the data had it; a typed
  // break takes the style the data uses most.
  void editingKeepsUntouchedLineBreaks_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("selStart");  // in the editor's text, where each break is one character
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("keys");  // "Return", "Backspace", "Delete" or text to type
    QTest::addColumn<QString>("expected");
    QTest::newRow("typing in a line") << "AC\r\nGT\nTT" << 1 << 0 << "x"
                                      << "AxC\r\nGT\nTT";
    QTest::newRow("typing in the last line") << "AC\r\nGT\nTT" << 8 << 0 << "gg"
                                             << "AC\r\nGT\nTTgg";
    QTest::newRow("Return inside a line") << "AA\nBB\nCC\r\nDD" << 4 << 0 << "Return"
                                          << "AA\nB\nB\nCC\r\nDD";
    QTest::newRow("Return at the start of a line") << "AA\r\nBB\nCC\nDD" << 3 << 0 << "Return"
                                                   << "AA\r\n\nBB\nCC\nDD";
    QTest::newRow("Return at the end of a line") << "AA\r\nBB\nCC\nDD" << 5 << 0 << "Return"
                                                 << "AA\r\nBB\n\nCC\nDD";
    QTest::newRow("Return typed as CR LF") << "AA\r\nBB\nCC\r\nDD" << 1 << 0 << "Return"
                                           << "A\r\nA\r\nBB\nCC\r\nDD";
    QTest::newRow("Return in CR data") << "AA\rBB" << 1 << 0 << "Return"
                                       << "A\rA\rBB";
    QTest::newRow("Return without breaks") << "AABB" << 2 << 0 << "Return"
                                           << "AA\r\nBB";
    QTest::newRow("Backspace joins two lines") << "AA\nBB\r\nCC" << 3 << 0 << "Backspace"
                                               << "AABB\r\nCC";
    QTest::newRow("Delete joins two lines") << "AA\nBB\r\nCC" << 5 << 0 << "Delete"
                                            << "AA\nBBCC";
    QTest::newRow("a whole line deleted") << "AA\nBB\r\nCC\rDD" << 3 << 3 << "Delete"
                                          << "AA\nCC\rDD";
    QTest::newRow("typing over several lines") << "AA\nBB\r\nCC\rDD" << 1 << 6 << "x"
                                               << "AxC\rDD";
    QTest::newRow("U+2028 stays a character") << QString::fromUtf16(u"A\u2028B\r\nC") << 3 << 0
                                              << "x" << QString::fromUtf16(u"A\u2028Bx\r\nC");
    QTest::newRow("U+2029 stays a character") << QString::fromUtf16(u"A\u2029B\nC") << 5 << 0
                                              << "Return" << QString::fromUtf16(u"A\u2029B\nC\n");
  }
  void editingKeepsUntouchedLineBreaks() {
    QFETCH(QString, data);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    tSequenceList list;
    fill(list, data);
    TfrmSequenceEditor editor(nullptr, list, 2);
    editor.show();
    auto* edit = control<QPlainTextEdit>(editor, "meSequenceEdit");
    edit->setFocus();
    select(edit, selStart, selLength);
    if (keys == "Return")
      QTest::keyClick(edit, Qt::Key_Return);
    else if (keys == "Backspace")
      QTest::keyClick(edit, Qt::Key_Backspace);
    else if (keys == "Delete")
      QTest::keyClick(edit, Qt::Key_Delete);
    else
      QTest::keyClicks(edit, keys);
    QTest::mouseClick(control<QPushButton>(editor, "Button2"), Qt::LeftButton);
    tSequence stored;
    QVERIFY(list.GetSequence(2, stored));
    QCOMPARE(stored.Data, expected);
  }

  // The clean-ups and the case changes leave the other line breaks as they were.
  void buttonsKeepMixedLineBreaks_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("delete spaces") << "A C\r\nG T\nx y\r"
                                   << "spaces" << 0 << 0 << "AC\r\nGT\nxy\r";
    QTest::newRow("delete CR+LF keeps U+2029") << QString::fromUtf16(u"A\r\nC\u2029G\nT") << "crlf"
                                               << 0 << 0 << QString::fromUtf16(u"AC\u2029GT");
    QTest::newRow("upper case over three lines") << "ac\ngt\r\ntt"
                                                 << "upper" << 1 << 6 << "aC\nGT\r\nTt";
    QTest::newRow("lower case over an empty line") << "AC\n\r\nGT"
                                                   << "lower" << 0 << 6 << "ac\n\r\ngt";
  }
  void buttonsKeepMixedLineBreaks() {
    QFETCH(QString, data);
    QFETCH(QString, button);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    tSequenceList list;
    fill(list, data);
    TfrmSequenceEditor editor(nullptr, list, 2);
    auto* edit = control<QPlainTextEdit>(editor, "meSequenceEdit");
    if (selLength > 0) select(edit, selStart, selLength);
    QPushButton* b = button == "crlf"     ? control<QPushButton>(editor, "btSequenceDelCRLF")
                     : button == "spaces" ? control<QPushButton>(editor, "btSequenceDelSpaces")
                     : button == "upper"  ? control<QPushButton>(editor, "btSequenceUpperCase")
                                          : control<QPushButton>(editor, "btSequenceLowerCase");
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(editor.EditedData(), expected);
    // The selection stays where it was, so a second press acts on the same stretch.
    if (selLength > 0) {
      QCOMPARE(edit->textCursor().selectionStart(), selStart);
      QCOMPARE(edit->textCursor().selectionEnd(), selStart + selLength);
    }
  }

  void cancelLeavesWorkspace() {
    tSequenceList list;
    fill(list, QStringLiteral("ACGT"));
    TfrmSequenceEditor editor(nullptr, list, 2);
    QSignalSpy rejected(&editor, &QDialog::rejected);
    control<QLineEdit>(editor, "edSequenceName")->setText(QStringLiteral("changed"));
    control<QPlainTextEdit>(editor, "meSequenceEdit")->setPlainText(QStringLiteral("TTTT"));
    QTest::mouseClick(control<QPushButton>(editor, "Button1"), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    tSequence stored;
    QVERIFY(list.GetSequence(2, stored));
    QCOMPARE(stored.Name, QStringLiteral("n2"));
    QCOMPARE(stored.Data, QStringLiteral("ACGT"));
  }
};

DUVANET_TEST(SequenceEditorTest)

}  // namespace duvanet::gui

#include "tst_SequenceEditor.moc"
