#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "chart/FileDialogs.h"

class QPainter;
class QPrinter;
class QWidget;

namespace duvanet::chart {

enum class ChartImageFormat { Png, Jpeg, Bmp, Svg, Pdf };

/// Draws a chart into a painter's rectangle.
using ChartRenderer = std::function<void(QPainter& painter, const QRect& target)>;

/// The file filters of the export dialog, one per format, PNG first.
QString chartExportFilters();
/// The format for a chosen file: by the selected filter, else by the extension.
std::optional<ChartImageFormat> chartFormatFor(const QString& path, const QString& selectedFilter);
QString chartFormatExtension(ChartImageFormat format);

/// Shows why an export failed (the file's name and the system's reason). The default is a
/// warning box over the owner.
using ExportFailureReporter = std::function<void(QWidget* owner, const QString& message)>;

/// Writes the chart, drawn at the given size, to a file; false when it cannot be written, with
/// the message (Cannot write file "…": reason) in failure. An existing file is replaced only by a
/// complete new one.
bool exportChart(const ChartRenderer& renderer, QSize size, const QString& path,
                 ChartImageFormat format, QString* failure = nullptr);

/// The export dialog: the user picks a format and a file through dialogs, and the chart is
/// written there. Returns false when cancelled or when the file could not be written (then
/// reported, by default in a warning box).
bool showChartExportDialog(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           duvanet::chart::FileDialogs& dialogs,
                           const ExportFailureReporter& reporter = {});

/// Draws the chart on the printer's page, scaled to fit and keeping its proportions.
void printChart(QPrinter& printer, const ChartRenderer& renderer, QSize size);

/// A modal print preview of the chart; an empty title keeps the dialog's own.
void showChartPrintPreview(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           const QString& title);

}  // namespace duvanet::chart
