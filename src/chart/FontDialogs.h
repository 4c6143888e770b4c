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

/// The real dialog: QFontDialog.
class QtFontDialogs : public FontDialogs {
 public:
  std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
};

}  // namespace duvanet::chart
