#include "gui/SequenceEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CaseMapping.h"
#include "core/SequenceList.h"
#include "gui/WindowDefaults.h"

namespace {

// The characters that end a line of the editor's document, in the order the break numbers use.
// The editor turns each of them into a block break, so each is remembered to be written back.
const QString& breakText(int kind) {
  static const QString kBreaks[] = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                    QStringLiteral("\r"),   QString(QChar(0x2029)),
                                    QString(QChar(0xFDD0)), QString(QChar(0xFDD1))};
  return kBreaks[kind];
}
constexpr int kBreakKinds = 6;

// The break number at text[at], and its length in characters; -1 where no break starts.
int breakAt(const QString& text, qsizetype at, qsizetype& length) {
  const QChar c = text.at(at);
  length = 1;
  if (c == QLatin1Char('\r')) {
    if (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('\n')) {
      length = 2;
      return 0;
    }
    return 2;
  }
  if (c == QLatin1Char('\n')) return 1;
  if (c.unicode() == 0x2029) return 3;
  if (c.unicode() == 0xFDD0) return 4;
  if (c.unicode() == 0xFDD1) return 5;
  return -1;
}

}  // namespace

TfrmSequenceEditor::TfrmSequenceEditor(QWidget* owner, tSequenceList& list, int index)
    : QDialog(owner), m_list(list), m_sequenceIndex(index) {
  setObjectName(QStringLiteral("frmSequenceEditor"));
  setWindowTitle(QStringLiteral("Sequence editor"));
  duvanet::gui::setWindowFont(*this);
  setMinimumSize(450, 300);
  resize(529, 403);

  auto* panel2 = new QWidget(this);
  panel2->setObjectName(QStringLiteral("Panel2"));
  panel2->setFixedHeight(41);
  auto* nameLabel = new QLabel(QStringLiteral("Sequence name:"), panel2);
  m_nameEdit = new QLineEdit(panel2);
  m_nameEdit->setObjectName(QStringLiteral("edSequenceName"));
  auto* topLayout = new QHBoxLayout(panel2);
  topLayout->setContentsMargins(8, 8, 8, 8);
  topLayout->addWidget(nameLabel);
  topLayout->addWidget(m_nameEdit, 1);

  m_dataEdit = new QPlainTextEdit(this);
  m_dataEdit->setObjectName(QStringLiteral("meSequenceEdit"));
  QFont editFont(QStringLiteral("Courier New"));
  editFont.setStyleHint(QFont::TypeWriter);
  editFont.setPixelSize(13);
  m_dataEdit->setFont(editFont);
  m_dataEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_dataEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  m_dataEdit->setWordWrapMode(QTextOption::WrapAnywhere);
  m_dataEdit->setTabChangesFocus(false);

  auto* panel3 = new QWidget(this);
  panel3->setObjectName(QStringLiteral("Panel3"));
  panel3->setFixedWidth(118);
  const auto makeButton = [](QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
  };
  m_deleteSpacesButton = makeButton(panel3, QStringLiteral("Delete spaces"), "btSequenceDelSpaces");
  m_deleteLineBreaksButton =
      makeButton(panel3, QStringLiteral("Delete CR+LF"), "btSequenceDelCRLF");
  m_upperCaseButton = makeButton(panel3, QStringLiteral("Upper case"), "btSequenceUpperCase");
  m_lowerCaseButton = makeButton(panel3, QStringLiteral("Lower case"), "btSequenceLowerCase");
  auto* sideLayout = new QVBoxLayout(panel3);
  sideLayout->setContentsMargins(3, 0, 2, 0);
  sideLayout->setSpacing(4);
  for (QPushButton* b :
       {m_deleteSpacesButton, m_deleteLineBreaksButton, m_upperCaseButton, m_lowerCaseButton}) {
    b->setFixedSize(113, 25);
    sideLayout->addWidget(b);
  }
  sideLayout->addStretch(1);

  auto* panel1 = new QWidget(this);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFixedHeight(32);
  m_acceptButton = makeButton(panel1, QStringLiteral("Accept"), "Button2");
  m_cancelButton = makeButton(panel1, QStringLiteral("Cancel"), "Button1");
  auto* bottomLayout = new QHBoxLayout(panel1);
  bottomLayout->setContentsMargins(8, 3, 8, 3);
  bottomLayout->addStretch(1);
  bottomLayout->addWidget(m_acceptButton);
  bottomLayout->addWidget(m_cancelButton);

  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->addWidget(m_dataEdit, 1);
  middle->addWidget(panel3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel2);
  layout->addLayout(middle, 1);
  layout->addWidget(panel1);

  connect(m_acceptButton, &QPushButton::clicked, this, &TfrmSequenceEditor::Button2Click);
  connect(m_cancelButton, &QPushButton::clicked, this, &TfrmSequenceEditor::Button1Click);
  connect(m_deleteSpacesButton, &QPushButton::clicked, this,
          &TfrmSequenceEditor::btSequenceDelSpacesClick);
  connect(m_deleteLineBreaksButton, &QPushButton::clicked, this,
          &TfrmSequenceEditor::btSequenceDelCRLFClick);
  connect(m_upperCaseButton, &QPushButton::clicked, this,
          &TfrmSequenceEditor::btSequenceUpperCaseClick);
  connect(m_lowerCaseButton, &QPushButton::clicked, this,
          &TfrmSequenceEditor::btSequenceLowerCaseClick);

  tSequence sequence;
  m_list.GetSequence(m_sequenceIndex, sequence);
  m_nameEdit->setText(sequence.Name);
  m_nameEdit->setCursorPosition(0);
  setEditorText(sequence.Data);
}

void TfrmSequenceEditor::setEditorText(const QString& sequenceData) {
  // Each line of the document carries its own number, and m_lineBreaks[i] is the break that
  // followed line i, so that the breaks the user does not touch are written back as they were.
  QStringList lines;
  m_lineBreaks.clear();
  int counts[kBreakKinds] = {};
  qsizetype lineStart = 0;
  for (qsizetype at = 0; at < sequenceData.size();) {
    qsizetype length = 0;
    const int kind = breakAt(sequenceData, at, length);
    if (kind < 0) {
      ++at;
      continue;
    }
    lines << sequenceData.mid(lineStart, at - lineStart);
    m_lineBreaks.push_back(kind);
    ++counts[kind];
    at += length;
    lineStart = at;
  }
  lines << sequenceData.mid(lineStart);
  // A break the user types takes the style of line break (CR LF, LF or CR) the data uses most;
  // CR LF when it has none.
  m_typedBreak = 0;
  for (int kind = 1; kind <= 2; ++kind) {
    if (counts[kind] > counts[m_typedBreak]) m_typedBreak = kind;
  }
  m_dataEdit->setPlainText(lines.join(QLatin1Char('\n')));
  int number = 0;
  for (QTextBlock block = m_dataEdit->document()->begin(); block.isValid(); block = block.next())
    block.setUserState(number++);
}

QString TfrmSequenceEditor::EditedData() const {
  // The document splits a line in two by giving the second part a fresh block (numbered -1) and
  // joins two lines into the block of the later one. So the break after line k stays the one
  // written after the last block of the run that starts with the block numbered k; every other
  // break in such a run was typed.
  QString text;
  int runStart = -1;
  for (QTextBlock block = m_dataEdit->document()->begin(); block.isValid();) {
    if (block.userState() >= 0) runStart = block.userState();
    text += block.text();
    const QTextBlock next = block.next();
    if (!next.isValid()) break;
    int kind = m_typedBreak;
    if (next.userState() >= 0 && runStart >= 0 && runStart < static_cast<int>(m_lineBreaks.size()))
      kind = m_lineBreaks[static_cast<size_t>(runStart)];
    text += breakText(kind);
    block = next;
  }
  return text;
}

void TfrmSequenceEditor::Button2Click() {
  tSequence sequence;
  sequence.Name = m_nameEdit->text();
  if (sequence.Name.isEmpty())
    sequence.Name = QStringLiteral("Sequence ") + QString::number(m_sequenceIndex);
  sequence.Data = EditedData();
  m_list.SetSequence(m_sequenceIndex, sequence);
  accept();
}

void TfrmSequenceEditor::Button1Click() { reject(); }

void TfrmSequenceEditor::btSequenceDelSpacesClick() {
  QString text = EditedData();
  text.remove(QLatin1Char(' '));
  setEditorText(text);
}

void TfrmSequenceEditor::btSequenceDelCRLFClick() {
  QString text = EditedData();
  text.remove(QLatin1Char('\r'));
  text.remove(QLatin1Char('\n'));
  setEditorText(text);
}

void TfrmSequenceEditor::changeSelectionCase(bool upper) {
  QTextCursor selection = m_dataEdit->textCursor();
  if (!selection.hasSelection()) return;
  const int start = selection.selectionStart();
  const int end = selection.selectionEnd();
  const int anchor = selection.anchor();
  const int position = selection.position();
  QTextDocument* document = m_dataEdit->document();
  // Line by line, so that no line break of the selection is removed and typed anew.
  QTextCursor edit(document);
  edit.beginEditBlock();
  for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    const int from = std::max(start, block.position());
    const int to = std::min(end, block.position() + block.length() - 1);
    if (to <= from) continue;
    edit.setPosition(from);
    edit.setPosition(to, QTextCursor::KeepAnchor);
    const QString selected = edit.selectedText();
    // One code unit for one code unit, so the selection keeps its length and place.
    const QString mapped = upper ? duvanet::core::toUpperPerCodeUnit(selected)
                                 : duvanet::core::toLowerPerCodeUnit(selected);
    if (mapped != selected) edit.insertText(mapped);
  }
  edit.endEditBlock();
  selection.setPosition(anchor);
  selection.setPosition(position, QTextCursor::KeepAnchor);
  m_dataEdit->setTextCursor(selection);
}

void TfrmSequenceEditor::btSequenceUpperCaseClick() { changeSelectionCase(true); }

void TfrmSequenceEditor::btSequenceLowerCaseClick() { changeSelectionCase(false); }
