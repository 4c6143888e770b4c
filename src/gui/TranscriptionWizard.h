#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "core/SequenceList.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

/// The modal translation wizard: appends amino-acid translations or reverse complements of the
/// sequences selected in the main window's list to the workspace. Created once; its choices stay
/// from one opening to the next.
class TfrmTranscriptionWizard : public QDialog {
  Q_OBJECT

 public:
  /// Reads the main list's selected rows (workspace indexes, any order) at each opening and run.
  using SelectedRows = std::function<QList<int>()>;

  /// `applicationTitle` starts the caption, followed by " translation wizard".
  TfrmTranscriptionWizard(tSequenceList& sequences, SelectedRows selectedRows,
                          const QString& applicationTitle, QWidget* parent = nullptr);

  // The window's controls, named as the code and the tests address them.
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QComboBox* cobTranslateToGeneCode;
  QRadioButton* rbDNA2ASSingle;
  QRadioButton* RadioButton2;
  QComboBox* cobNucleoBaseOffset;
  QRadioButton* rbDNA2ASNormal;
  QRadioButton* rbDNA2ASRevComplement;
  QRadioButton* rbDNA2ASNormAndRevComplement;
  QWidget* Panel1;
  QPushButton* btTranscriptAccept;
  QLabel* lbNoOfSelectedItems;
  QPushButton* btTranscriptClose;

  /// Appends the translations chosen on the first page for every selected sequence.
  void DNA2AminoAcid();
  /// Appends the IUPAC reverse complement of every selected sequence.
  void DNAReverseComplements();

 public slots:
  void btTranscriptAcceptClick();
  void btTranscriptCloseClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate(const QString& applicationTitle);
  void FormShow();
  QList<int> selectedIndexes() const;
  void append(const tSequence& result);

  tSequenceList& m_sequences;
  SelectedRows m_selectedRows;
};
