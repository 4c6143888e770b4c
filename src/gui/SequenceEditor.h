#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class tSequenceList;

/// The modal editor of one workspace sequence: its name and symbols, with four clean-ups.
/// Only "Accept" writes back to the workspace.
class TfrmSequenceEditor : public QDialog {
  Q_OBJECT

 public:
  /// Reads the entry at index into the controls.
  TfrmSequenceEditor(QWidget* owner, tSequenceList& list, int index);

  int SequenceIndex() const { return m_sequenceIndex; }
  /// The text of the editor as sequence data: every line break the user did not touch as the
  /// data had it (CR LF, LF, CR, U+2029); U+2028 stays a character of its line.
  QString EditedData() const;

 public slots:
  void Button2Click();
  void Button1Click();
  void btSequenceDelSpacesClick();
  void btSequenceDelCRLFClick();
  void btSequenceUpperCaseClick();
  void btSequenceLowerCaseClick();

 private:
  void changeSelectionCase(bool upper);
  void setEditorText(const QString& data);

  tSequenceList& m_list;
  int m_sequenceIndex;
  std::vector<int> m_lineBreaks;  // the break after each line of the data as it was read
  int m_typedBreak = 0;           // the break a newly typed line break is written as

  // The controls; the comments give the object names the tests find them by.
  QLineEdit* m_nameEdit = nullptr;                  // edSequenceName
  QPlainTextEdit* m_dataEdit = nullptr;             // meSequenceEdit
  QPushButton* m_deleteSpacesButton = nullptr;      // btSequenceDelSpaces
  QPushButton* m_deleteLineBreaksButton = nullptr;  // btSequenceDelCRLF
  QPushButton* m_upperCaseButton = nullptr;         // btSequenceUpperCase
  QPushButton* m_lowerCaseButton = nullptr;         // btSequenceLowerCase
  QPushButton* m_acceptButton = nullptr;            // Button2 "Accept"
  QPushButton* m_cancelButton = nullptr;            // Button1 "Cancel"
};
