#pragma once

#include <QString>

class QWidget;

namespace duvanet::gui {

/// The message boxes the windows show. Windows never open a QMessageBox themselves.
class UserPrompts {
 public:
  /// The look of a Yes/No question: a warning, a confirmation or an information box.
  enum class Kind { Warning, Confirmation, Information };

  virtual ~UserPrompts() = default;
  /// A warning box with an OK button.
  virtual void warning(QWidget* parent, const QString& text) = 0;
  /// A warning box with an OK button and a text the user can select and copy, such as an
  /// address to open by hand. By default a plain warning with the details below the text.
  virtual void warningWithDetails(QWidget* parent, const QString& text, const QString& details) {
    warning(parent, text + QStringLiteral("\n\n") + details);
  }
  /// A Yes/No question; true for Yes. defaultYes chooses the button that Enter presses.
  virtual bool question(QWidget* parent, Kind kind, const QString& text, bool defaultYes) = 0;
  /// The error box for an error raised while reading or writing files.
  virtual void error(QWidget* parent, const QString& text) = 0;
};

/// The real prompts: QMessageBox.
class MessageBoxPrompts : public UserPrompts {
 public:
  void warning(QWidget* parent, const QString& text) override;
  void warningWithDetails(QWidget* parent, const QString& text, const QString& details) override;
  bool question(QWidget* parent, Kind kind, const QString& text, bool defaultYes) override;
  void error(QWidget* parent, const QString& text) override;
};

}  // namespace duvanet::gui
