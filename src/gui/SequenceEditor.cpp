#include "gui/SequenceEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "core/CaseMapping.h"
#include "core/SequenceList.h"
#include "gui/WindowDefaults.h"

namespace {

// The line break the data uses, so that editing keeps it: CR LF unless the data has only LF or
// only CR breaks.
QString lineBreakOf(const QString& data) {
  if (data.contains(QStringLiteral("\r\n"))) return QStringLiteral("\r\n");
  if (data.contains(QLatin1Char('\n'))) return QStringLiteral("\n");
  if (data.contains(QLatin1Char('\r'))) return QStringLiteral("\r");
  return QStringLiteral("\r\n");
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
  m_lineBreak = lineBreakOf(sequence.Data);
  setEditorText(sequence.Data);
}

void TfrmSequenceEditor::setEditorText(const QString& sequenceData) {
  QString shown = sequenceData;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  m_dataEdit->setPlainText(shown);
}

QString TfrmSequenceEditor::EditedData() const {
  // The raw text keeps every character as typed; only the block breaks become line breaks.
  QString text = m_dataEdit->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, m_lineBreak);
  text.replace(QChar::LineSeparator, m_lineBreak);
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
  QTextCursor cursor = m_dataEdit->textCursor();
  if (!cursor.hasSelection()) return;
  const QString selected = cursor.selectedText();
  // One code unit for one code unit, so the selection keeps its length and place.
  const QString mapped = upper ? duvanet::core::toUpperPerCodeUnit(selected)
                               : duvanet::core::toLowerPerCodeUnit(selected);
  cursor.insertText(mapped);
  m_dataEdit->setTextCursor(cursor);
}

void TfrmSequenceEditor::btSequenceUpperCaseClick() { changeSelectionCase(true); }

void TfrmSequenceEditor::btSequenceLowerCaseClick() { changeSelectionCase(false); }
