#pragma once

#include <QFont>
#include <optional>

class QWidget;

namespace duvanet::chart {

/// The font dialog the chart editor shows; it never opens a QFontDialog itself.
class FontDialogs {
 public:
  virtual ~FontDialogs() = default;
  /// Lets the user pick a font, starting from initial; nothing when the user cancels.
  virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
};

/// The real dialog: QFontDialog, opened on the current font. A font in pixels is shown in the
/// dialog's points and comes back in pixels.
class QtFontDialogs : public FontDialogs {
 public:
  std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;

  /// The font as the dialog can show it: the family the system draws it with, in points.
  static QFont fontForDialog(const QFont& font);
  /// The dialog's answer in the unit of the initial font; OK on the font the dialog opened
  /// with gives the initial font back, bold and all.
  static QFont fontFromDialog(const QFont& initial, const QFont& chosen);
};

}  // namespace duvanet::chart
