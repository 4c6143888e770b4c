#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "chart/FileDialogs.h"
#include "render/PictureFile.h"

class QPainter;
class QPaintDevice;
class QPrinter;
class QWidget;

namespace duvanet::chart {

using ChartImageFormat = render::PictureFormat;
using render::PictureSize;
using render::PictureTarget;

/// Draws a chart into a painter's rectangle, for the screen, a picture or a printer.
using ChartRenderer = render::PictureRenderer;

/// The file filters of the export dialog, one per format, PNG first.
QString chartExportFilters();
/// The filter of a format, as chartExportFilters() lists it.
QString chartExportFilter(ChartImageFormat format);
QString chartFormatExtension(ChartImageFormat format);

/// Where and how a chosen file name is written.
struct ChartExportChoice {
  QString path;
  ChartImageFormat format = ChartImageFormat::Png;
};
/// The file and format for a name typed or picked in the export dialog: a known extension
/// (png, jpg, jpeg, bmp, svg, pdf, any case) decides the format whatever the filter says; without
/// one the selected filter's format is taken and its extension appended. Nothing when neither
/// names a format.
std::optional<ChartExportChoice> chartExportChoice(const QString& path,
                                                   const QString& selectedFilter);

/// Shows why an export failed (the file's name and the system's reason). The default is a
/// warning box over the owner.
using ExportFailureReporter = std::function<void(QWidget* owner, const QString& message)>;

/// Asks for the size of the picture, starting from initial, for a file of the format; nothing
/// when the user cancels. The default shows PictureSizeDialog.
using PictureSizeChooser = std::function<std::optional<PictureSize>(
    QWidget* owner, ChartImageFormat format, const PictureSize& initial)>;

/// Writes the chart, drawn at the given size (96 dpi), to a file; false when it cannot be
/// written, with the message (Cannot write file "…": reason) in failure. An existing file is
/// replaced only by a complete new one.
bool exportChart(const ChartRenderer& renderer, QSize size, const QString& path,
                 ChartImageFormat format, QString* failure = nullptr);

/// The export dialog: the user picks a format and a file through dialogs, then the picture's
/// size (starting from size, the chart's on screen), and the chart is written there. Returns
/// false when cancelled or when the file could not be written (then reported, by default in a
/// warning box).
bool showChartExportDialog(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           FileDialogs& dialogs, const ExportFailureReporter& reporter = {},
                           const PictureSizeChooser& chooseSize = {});

/// Draws the chart on a page (a printer's, a PDF's), scaled to fit and keeping its proportions:
/// every text keeps its proportion to the plot whatever the device's resolution.
void paintChartOnPage(QPaintDevice& page, const ChartRenderer& renderer, QSize size);
void printChart(QPrinter& printer, const ChartRenderer& renderer, QSize size);

/// A modal print preview of the chart; an empty title keeps the dialog's own.
void showChartPrintPreview(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           const QString& title);

}  // namespace duvanet::chart
