#include "gui/UserPrompts.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace duvanet::gui {

namespace {

// Centres the box on its parent's window (the main window for files named on the command line
// too) instead of leaving the place to the system, then shows it modally.
int execCentred(QMessageBox& box, QWidget* parent) {
  if (parent != nullptr) {
    box.adjustSize();
    const QRect frame = parent->window()->frameGeometry();
    box.move(frame.center() - QPoint(box.width() / 2, box.height() / 2));
  }
  return box.exec();
}

}  // namespace

void MessageBoxPrompts::warning(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok, parent);
  box.setDefaultButton(QMessageBox::Ok);
  execCentred(box, parent);
}

void MessageBoxPrompts::warningWithDetails(QWidget* parent, const QString& text,
                                           const QString& details) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok, parent);
  box.setDetailedText(details);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The details are what the user came for: shown at once rather than behind "Show Details...".
  for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
    if (box.buttonRole(button) == QMessageBox::ActionRole) button->click();
  }
  box.exec();
}

bool MessageBoxPrompts::question(QWidget* parent, Kind kind, const QString& text, bool defaultYes) {
  QMessageBox::Icon icon = QMessageBox::Warning;
  QString title = QStringLiteral("Warning");
  if (kind == Kind::Confirmation) {
    icon = QMessageBox::Question;
    title = QStringLiteral("Confirmation");
  } else if (kind == Kind::Information) {
    icon = QMessageBox::Information;
    title = QStringLiteral("Information");
  }
  QMessageBox box(icon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
  return execCentred(box, parent) == QMessageBox::Yes;
}

void MessageBoxPrompts::error(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
  box.setDefaultButton(QMessageBox::Ok);
  execCentred(box, parent);
}

}  // namespace duvanet::gui
