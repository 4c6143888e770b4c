#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>
#include <optional>

#include "core/SequenceList.h"
#include "engine/DotPlotTypes.h"
#include "gui/DotPlotWindow.h"
#include "widgets/UpDownControl.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
namespace duvanet::gui {
class UserPrompts;
}

namespace duvanet::gui {

/// The type and evaluation a wizard page stands for.
struct DotPlotChoice {
  tDotPlotType type = dptIdentity;
  tMatchEvaluation evaluation = meHighest;
  bool operator==(const DotPlotChoice&) const = default;
};

/// The choice of the page with this caption ("DNA", "Identity" or "Literal", compared exactly);
/// typeButton and evaluationButton count the page's buttons from 0 (horizontal, vertical, both;
/// highest, lowest, summed). The identity page ignores both; an unknown caption gives identity.
DotPlotChoice dotPlotChoiceFor(const QString& pageCaption, int typeButton, int evaluationButton);

/// The rows to select in the two drop-down lists for the main list's selection (ascending rows)
/// and current row; nothing for an empty selection (the lists keep what they had).
struct Preselection {
  int horizontal = -1;
  int vertical = -1;
  bool operator==(const Preselection&) const = default;
};
std::optional<Preselection> preselectionFor(const QList<int>& selectedRows, int currentRow);

/// Sequences above this many symbols bring up the size question.
inline constexpr int kDotPlotSizeLimit = 4000;
bool exceedsDotPlotSizeLimit(const tSequence& horizontal, const tSequence& vertical);
QString dotPlotSizeQuestion(const QString& applicationTitle);

/// How the wizard reaches the main window's list: its selected rows and its current row.
struct MainListAccess {
  std::function<QList<int>()> selectedRows;
  std::function<int()> currentRow;
  /// Reads the selection of a list widget (rows ascending, QListWidget::currentRow()).
  static MainListAccess of(const QListWidget* list);
};

}  // namespace duvanet::gui

/// The dialog that collects a dot plot request and opens the dot plot window for it. Created
/// once; its settings stay from one opening to the next. Every window it creates is its child.
class TfrmDotPlotWizard : public QDialog {
  Q_OBJECT

 public:
  /// list, mainList and the ports are not owned and must outlive the wizard; its dot plot
  /// windows get the same ports.
  TfrmDotPlotWizard(tSequenceList& list, duvanet::gui::MainListAccess mainList,
                    const duvanet::gui::UiPorts& ports, QWidget* parent = nullptr);
  TfrmDotPlotWizard(tSequenceList& list, duvanet::gui::MainListAccess mainList,
                    duvanet::gui::UserPrompts* prompts, QWidget* parent = nullptr);

  /// The request the controls stand for now.
  duvanet::gui::DotPlotChoice currentChoice() const;

  /// Runs a prepared request on a new window; replaceable so that tests can reach the failure
  /// path. The default calls PrepareDotPlot.
  using PrepareFunction = std::function<TfrmDotPlot::PrepareOutcome(
      TfrmDotPlot& window, tDotPlotType type, const tSequence& horizontal,
      const tSequence& vertical, bool caseInsensitive, int windowSize,
      tMatchEvaluation evaluation)>;
  void setPrepareFunction(PrepareFunction prepare) { m_prepare = std::move(prepare); }

  /// The dot plot window shown last (nullptr before the first).
  TfrmDotPlot* lastDotPlot() const { return m_lastDotPlot; }

 signals:
  /// A new dot plot window has been prepared and shown.
  void dotPlotShown(TfrmDotPlot* window);

 public slots:
  void btDotPlotWizCreateClick();
  void btDotPlotWizCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  // The two sequences, the case and the window size.
  QGroupBox* m_generalGroup = nullptr;                            // "GroupBox1"
  QComboBox* m_horizontalList = nullptr;                          // "cobPlotSeq1"
  QComboBox* m_verticalList = nullptr;                            // "cobPlotSeq2"
  QCheckBox* m_caseInsensitiveBox = nullptr;                      // "cbPlotCaseInsensitive"
  QLineEdit* m_windowSizeEdit = nullptr;                          // "edWindowSize"
  duvanet::widgets::UpDownControl* m_windowSizeUpDown = nullptr;  // "udDotWindowSize"
  // The plot type pages and their buttons.
  QGroupBox* m_typeGroup = nullptr;                   // "GroupBox2"
  QTabWidget* m_typePages = nullptr;                  // "pcDotPlotSelection"
  QWidget* m_dnaPage = nullptr;                       // "TabSheet2", the "DNA" page
  QWidget* m_identityPage = nullptr;                  // "TabSheet3", the "Identity" page
  QWidget* m_literalPage = nullptr;                   // "TabSheet1", the "Literal" page
  QRadioButton* m_dnaHorizontalButton = nullptr;      // "rbDotPlotDNARevCompHoriz"
  QRadioButton* m_dnaVerticalButton = nullptr;        // "rbDotPlotDNARevCompVerti"
  QRadioButton* m_dnaBothButton = nullptr;            // "rbDotPlotDNARevCompBoth"
  QGroupBox* m_dnaEvaluationGroup = nullptr;          // "GroupBox4"
  QRadioButton* m_dnaHighestButton = nullptr;         // "rbDNAStrandHighestCount"
  QRadioButton* m_dnaLowestButton = nullptr;          // "rbDNAStrandLowestCount"
  QRadioButton* m_dnaSummedButton = nullptr;          // "rbDNAStrandSummedCount"
  QRadioButton* m_identityButton = nullptr;           // "RadioButton1"
  QRadioButton* m_literalHorizontalButton = nullptr;  // "rbDotPlotLitRevCompHoriz"
  QRadioButton* m_literalVerticalButton = nullptr;    // "rbDotPlotLitRevCompVerti"
  QRadioButton* m_literalBothButton = nullptr;        // "rbDotPlotLitRevCompBoth"
  QGroupBox* m_literalEvaluationGroup = nullptr;      // "GroupBox3"
  QRadioButton* m_literalHighestButton = nullptr;     // "rbLitStrandHighestCount"
  QRadioButton* m_literalLowestButton = nullptr;      // "rbLitStrandLowestCount"
  QRadioButton* m_literalSummedButton = nullptr;      // "rbLitStrandSummedCount"
  QPushButton* m_createButton = nullptr;              // "btDotPlotWizCreate"
  QPushButton* m_cancelButton = nullptr;              // "btDotPlotWizCancel"

  tSequenceList& m_list;
  duvanet::gui::MainListAccess m_mainList;
  duvanet::gui::UiPorts m_ports;
  duvanet::gui::UserPrompts* m_prompts = nullptr;
  PrepareFunction m_prepare;
  QPointer<TfrmDotPlot> m_lastDotPlot;
};
