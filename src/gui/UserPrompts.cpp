#include "gui/UserPrompts.h"

#include <QAbstractButton>
#include <QMessageBox>

void MessageBoxPrompts::warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QStringLiteral("Warning"), text, QMessageBox::Ok, QMessageBox::Ok);
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
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompts::error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QStringLiteral("Error"), text, QMessageBox::Ok, QMessageBox::Ok);
}
