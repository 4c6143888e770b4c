#pragma once

#include <QDialog>
#include <QList>
#include <QPoint>
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

  /// The caption is the application title followed by " translation wizard".
  TfrmTranscriptionWizard(tSequenceList& sequences, SelectedRows selectedRows,
                          QWidget* parent = nullptr);

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
  bool m_placed = false;  // shown once: later showings keep the first place
  QPoint m_firstPlace;
  void FormCreate();
  void FormShow();
  QList<int> selectedIndexes() const;
  void append(const tSequence& result);

  tSequenceList& m_sequences;
  SelectedRows m_selectedRows;

  // The controls; the comments give the object names the tests find them by.
  QTabWidget* m_pages = nullptr;                      // PageControl1
  QWidget* m_aminoAcidPage = nullptr;                 // TabSheet1 "DNA => Amino acid"
  QWidget* m_reverseComplementPage = nullptr;         // TabSheet2 "DNA reverse complement"
  QGroupBox* m_frameGroup = nullptr;                  // GroupBox1 "Reading frame offset"
  QGroupBox* m_geneticCodeGroup = nullptr;            // GroupBox2 "Translate genetic code as"
  QGroupBox* m_directionGroup = nullptr;              // GroupBox3 "Reading direction"
  QComboBox* m_geneticCodeList = nullptr;             // cobTranslateToGeneCode
  QRadioButton* m_oneFrameButton = nullptr;           // rbDNA2ASSingle
  QRadioButton* m_allFramesButton = nullptr;          // RadioButton2
  QComboBox* m_frameOffsetList = nullptr;             // cobNucleoBaseOffset
  QRadioButton* m_forwardButton = nullptr;            // rbDNA2ASNormal
  QRadioButton* m_reverseComplementButton = nullptr;  // rbDNA2ASRevComplement
  QRadioButton* m_bothDirectionsButton = nullptr;     // rbDNA2ASNormAndRevComplement
  QWidget* m_buttonPanel = nullptr;                   // Panel1
  QPushButton* m_applyButton = nullptr;               // btTranscriptAccept "Apply"
  QLabel* m_selectionCountLabel = nullptr;            // lbNoOfSelectedItems
  QPushButton* m_closeButton = nullptr;               // btTranscriptClose "Close"
};
