#include "chart/ChartExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "chart/PictureSizeDialog.h"

namespace duvanet::chart {

namespace {

struct FormatInfo {
  ChartImageFormat format;
  const char* filter;
};

const FormatInfo kFormats[] = {
    {ChartImageFormat::Png, "PNG image (*.png)"},
    {ChartImageFormat::Jpeg, "JPEG image (*.jpg *.jpeg)"},
    {ChartImageFormat::Bmp, "Bitmap image (*.bmp)"},
    {ChartImageFormat::Svg, "SVG drawing (*.svg)"},
    {ChartImageFormat::Pdf, "PDF document (*.pdf)"},
};

}  // namespace

QString chartExportFilters() {
  QStringList filters;
  for (const FormatInfo& info : kFormats) filters << QString::fromLatin1(info.filter);
  return filters.join(QStringLiteral(";;"));
}

QString chartExportFilter(ChartImageFormat format) {
  for (const FormatInfo& info : kFormats)
    if (info.format == format) return QString::fromLatin1(info.filter);
  return {};
}

QString chartFormatExtension(ChartImageFormat format) {
  return render::pictureFormatExtension(format);
}

std::optional<ChartExportChoice> chartExportChoice(const QString& path,
                                                   const QString& selectedFilter) {
  if (path.isEmpty()) return std::nullopt;
  if (const auto typed = render::pictureFormatOfName(path)) return ChartExportChoice{path, *typed};
  for (const FormatInfo& info : kFormats) {
    if (selectedFilter != QLatin1String(info.filter)) continue;
    return ChartExportChoice{path + QLatin1Char('.') + chartFormatExtension(info.format),
                             info.format};
  }
  return std::nullopt;
}

bool exportChart(const ChartRenderer& renderer, QSize size, const QString& path,
                 ChartImageFormat format, QString* failure) {
  return render::writePicture(renderer, PictureSize{size, 96}, path, format, failure);
}

bool showChartExportDialog(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           FileDialogs& dialogs, const ExportFailureReporter& reporter,
                           const PictureSizeChooser& chooseSize) {
  const std::optional<FileDialogs::SaveChoice> picked =
      dialogs.saveFileAs(owner, QStringLiteral("Export chart"), chartExportFilters(),
                         QString::fromLatin1(kFormats[0].filter));
  if (!picked) return false;
  const std::optional<ChartExportChoice> choice = chartExportChoice(picked->path, picked->filter);
  if (!choice) return false;
  const PictureSize initial{size, 96};
  const std::optional<PictureSize> chosen =
      chooseSize ? chooseSize(owner, choice->format, initial)
                 : PictureSizeDialog::choose(owner, choice->format, initial);
  if (!chosen) return false;
  QString failure;
  if (render::writePicture(renderer, *chosen, choice->path, choice->format, &failure)) return true;
  if (reporter)
    reporter(owner, failure);
  else
    QMessageBox::warning(owner, QCoreApplication::applicationName(), failure);
  return false;
}

void paintChartOnPage(QPaintDevice& page, const ChartRenderer& renderer, QSize size) {
  QPainter painter;
  if (size.isEmpty() || !painter.begin(&page)) return;
  const QRect viewport = painter.viewport();
  const double scale =
      std::min(double(viewport.width()) / size.width(), double(viewport.height()) / size.height());
  painter.scale(scale, scale);
  // The chart's own pixels, scaled as a whole: fonts in pixels grow with the plot.
  renderer(painter, QRect(QPoint(0, 0), size), PictureTarget{true, 1});
}

void printChart(QPrinter& printer, const ChartRenderer& renderer, QSize size) {
  paintChartOnPage(printer, renderer, size);
}

void showChartPrintPreview(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           const QString& title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(size.width() >= size.height() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
  QPrintPreviewDialog dialog(&printer, owner);
  if (!title.isEmpty()) dialog.setWindowTitle(title);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&](QPrinter* target) { printChart(*target, renderer, size); });
  dialog.exec();
}

}  // namespace duvanet::chart
