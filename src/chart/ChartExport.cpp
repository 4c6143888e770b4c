#include "chart/ChartExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryFile>

#include "core/FileError.h"
#include "core/SaveFile.h"

namespace duvanet::chart {

namespace {

struct FormatInfo {
  ChartImageFormat format;
  const char* filter;
  const char* extension;
};

const FormatInfo kFormats[] = {
    {ChartImageFormat::Png, "PNG image (*.png)", "png"},
    {ChartImageFormat::Jpeg, "JPEG image (*.jpg *.jpeg)", "jpg"},
    {ChartImageFormat::Bmp, "Bitmap image (*.bmp)", "bmp"},
    {ChartImageFormat::Svg, "SVG drawing (*.svg)", "svg"},
    {ChartImageFormat::Pdf, "PDF document (*.pdf)", "pdf"},
};

}  // namespace

QString chartExportFilters() {
  QStringList filters;
  for (const FormatInfo& info : kFormats) filters << QString::fromLatin1(info.filter);
  return filters.join(QStringLiteral(";;"));
}

QString chartFormatExtension(ChartImageFormat format) {
  for (const FormatInfo& info : kFormats)
    if (info.format == format) return QString::fromLatin1(info.extension);
  return {};
}

std::optional<ChartImageFormat> chartFormatFor(const QString& path, const QString& selectedFilter) {
  for (const FormatInfo& info : kFormats)
    if (selectedFilter == QLatin1String(info.filter)) return info.format;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("jpeg")) return ChartImageFormat::Jpeg;
  for (const FormatInfo& info : kFormats)
    if (suffix == QLatin1String(info.extension)) return info.format;
  return std::nullopt;
}

namespace {

// Ends a write: replaces the target when everything was written, otherwise leaves it as it was
// and tells why.
bool finishExport(core::SafeSaveFile& file, bool written, const QString& path, QString* failure) {
  if (written && file.finish()) return true;
  QString reason = file.failureReason();
  if (written) {
    file.cancelWriting();
  } else {
    file.finish();  // drops the temporary file
    if (reason.isEmpty()) reason = file.failureReason();
  }
  if (reason.isEmpty()) reason = QStringLiteral("the chart could not be drawn into the file");
  if (failure)
    *failure = core::FileError(core::FileError::Operation::Write, path, reason).message();
  return false;
}

bool openExport(core::SafeSaveFile& file, const QString& path, QString* failure) {
  if (file.open()) return true;
  if (failure)
    *failure =
        core::FileError(core::FileError::Operation::Write, path, file.failureReason()).message();
  return false;
}

}  // namespace

bool exportChart(const ChartRenderer& renderer, QSize size, const QString& path,
                 ChartImageFormat format, QString* failure) {
  if (path.isEmpty() || size.isEmpty()) {
    if (failure) *failure = QStringLiteral("Nothing to export");
    return false;
  }
  const QRect target(QPoint(0, 0), size);
  switch (format) {
    case ChartImageFormat::Png:
    case ChartImageFormat::Jpeg:
    case ChartImageFormat::Bmp: {
      QImage image(size, QImage::Format_RGB32);
      image.fill(Qt::white);
      {
        QPainter painter(&image);
        renderer(painter, target);
      }
      const char* type = format == ChartImageFormat::Png    ? "PNG"
                         : format == ChartImageFormat::Jpeg ? "JPG"
                                                            : "BMP";
      core::SafeSaveFile file(path);
      if (!openExport(file, path, failure)) return false;
      const bool written = image.save(&file, type, format == ChartImageFormat::Jpeg ? 95 : -1);
      return finishExport(file, written, path, failure);
    }
    case ChartImageFormat::Svg: {
      core::SafeSaveFile file(path);
      if (!openExport(file, path, failure)) return false;
      QSvgGenerator generator;
      generator.setOutputDevice(&file);
      generator.setSize(size);
      generator.setViewBox(target);
      generator.setTitle(QStringLiteral("Chart"));
      {
        QPainter painter;
        if (!painter.begin(&generator)) return finishExport(file, false, path, failure);
        renderer(painter, target);
      }
      return finishExport(file, true, path, failure);
    }
    case ChartImageFormat::Pdf: {
      core::SafeSaveFile file(path);
      if (!openExport(file, path, failure)) return false;
      {
        QPdfWriter writer(&file);
        writer.setPageOrientation(size.width() >= size.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
        QPainter painter;
        if (!painter.begin(&writer)) return finishExport(file, false, path, failure);
        const QRect page = painter.viewport();
        const double scale =
            std::min(double(page.width()) / size.width(), double(page.height()) / size.height());
        painter.scale(scale, scale);
        renderer(painter, target);
      }
      return finishExport(file, true, path, failure);
    }
  }
  return false;
}

bool showChartExportDialog(QWidget* owner, const ChartRenderer& renderer, QSize size,
                           duvanet::chart::FileDialogs& dialogs,
                           const ExportFailureReporter& reporter) {
  const std::optional<duvanet::chart::FileDialogs::SaveChoice> choice =
      dialogs.saveFileAs(owner, QStringLiteral("Export chart"), chartExportFilters(),
                         QString::fromLatin1(kFormats[0].filter));
  if (!choice || choice->path.isEmpty()) return false;
  QString path = choice->path;
  const std::optional<ChartImageFormat> format = chartFormatFor(path, choice->filter);
  if (!format) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + chartFormatExtension(*format);
  QString failure;
  if (exportChart(renderer, size, path, *format, &failure)) return true;
  if (reporter)
    reporter(owner, failure);
  else
    QMessageBox::warning(owner, QCoreApplication::applicationName(), failure);
  return false;
}

void printChart(QPrinter& printer, const ChartRenderer& renderer, QSize size) {
  QPainter painter;
  if (!painter.begin(&printer) || size.isEmpty()) return;
  const QRect page = painter.viewport();
  const double scale =
      std::min(double(page.width()) / size.width(), double(page.height()) / size.height());
  painter.scale(scale, scale);
  renderer(painter, QRect(QPoint(0, 0), size));
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
