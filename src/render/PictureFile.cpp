#include "render/PictureFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "core/FileError.h"
#include "core/SaveFile.h"

namespace duvanet::render {

bool isVectorFormat(PictureFormat format) {
  return format == PictureFormat::Svg || format == PictureFormat::Pdf;
}

std::optional<PictureFormat> pictureFormatOfName(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QString pictureFormatExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png:
      return QStringLiteral("png");
    case PictureFormat::Jpeg:
      return QStringLiteral("jpg");
    case PictureFormat::Bmp:
      return QStringLiteral("bmp");
    case PictureFormat::Svg:
      return QStringLiteral("svg");
    case PictureFormat::Pdf:
      return QStringLiteral("pdf");
  }
  return {};
}

namespace {

// Ends a write: replaces the target when everything was written, otherwise leaves it as it was
// and tells why.
bool finishWrite(core::SafeSaveFile& file, bool written, const QString& path, QString* failure) {
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

bool openWrite(core::SafeSaveFile& file, const QString& path, QString* failure) {
  if (file.open()) return true;
  if (failure)
    *failure =
        core::FileError(core::FileError::Operation::Write, path, file.failureReason()).message();
  return false;
}

// Viewers smooth embedded images when they scale them; a grid's cells must stay sharp squares.
// The generator asks for that in SVG's words; browsers take CSS's.
QByteArray withSharpImages(QByteArray svg) {
  svg.replace("<image ", "<image style=\"image-rendering:pixelated\" ");
  return svg;
}

}  // namespace

bool writePicture(const PictureRenderer& renderer, PictureSize size, const QString& path,
                  PictureFormat format, QString* failure) {
  if (path.isEmpty() || size.pixels.isEmpty()) {
    if (failure) *failure = QStringLiteral("Nothing to export");
    return false;
  }
  const double dpi = size.dpi > 0 ? size.dpi : 96;
  const QRect target(QPoint(0, 0), size.pixels);
  const PictureTarget how{isVectorFormat(format), dpi / 96.0};
  switch (format) {
    case PictureFormat::Png:
    case PictureFormat::Jpeg:
    case PictureFormat::Bmp: {
      QImage image(size.pixels, QImage::Format_RGB32);
      if (image.isNull()) {
        if (failure)
          *failure = core::FileError(core::FileError::Operation::Write, path,
                                     QStringLiteral("not enough memory for a %1 x %2 picture")
                                         .arg(size.pixels.width())
                                         .arg(size.pixels.height()))
                         .message();
        return false;
      }
      image.fill(Qt::white);
      const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
      image.setDotsPerMeterX(dotsPerMeter);
      image.setDotsPerMeterY(dotsPerMeter);
      {
        QPainter painter(&image);
        renderer(painter, target, how);
      }
      const char* type = format == PictureFormat::Png    ? "PNG"
                         : format == PictureFormat::Jpeg ? "JPG"
                                                         : "BMP";
      core::SafeSaveFile file(path);
      if (!openWrite(file, path, failure)) return false;
      const bool written = image.save(&file, type, format == PictureFormat::Jpeg ? 95 : -1);
      return finishWrite(file, written, path, failure);
    }
    case PictureFormat::Svg: {
      core::SafeSaveFile file(path);
      if (!openWrite(file, path, failure)) return false;
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QSvgGenerator generator;
      generator.setOutputDevice(&buffer);
      generator.setSize(size.pixels);
      generator.setViewBox(target);
      generator.setResolution(static_cast<int>(std::lround(dpi)));
      generator.setTitle(QStringLiteral("Chart"));
      {
        QPainter painter;
        if (!painter.begin(&generator)) return finishWrite(file, false, path, failure);
        renderer(painter, target, how);
      }
      const QByteArray svg = withSharpImages(buffer.data());
      const bool written = file.write(svg) == svg.size();
      return finishWrite(file, written, path, failure);
    }
    case PictureFormat::Pdf: {
      core::SafeSaveFile file(path);
      if (!openWrite(file, path, failure)) return false;
      {
        // A page of the picture's own size; the painter works in its pixels.
        constexpr int kResolution = 1200;
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(
            QPageSize(QSizeF(size.pixels.width() * 25.4 / dpi, size.pixels.height() * 25.4 / dpi),
                      QPageSize::Millimeter),
            QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QStringLiteral("Chart"));
        QPainter painter;
        if (!painter.begin(&writer)) return finishWrite(file, false, path, failure);
        painter.scale(kResolution / dpi, kResolution / dpi);
        renderer(painter, target, how);
      }
      return finishWrite(file, true, path, failure);
    }
  }
  return false;
}

}  // namespace duvanet::render
