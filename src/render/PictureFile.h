#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

namespace duvanet::render {

enum class PictureFormat { Png, Jpeg, Bmp, Svg, Pdf };

/// SVG and PDF: text and lines stay vector drawings.
bool isVectorFormat(PictureFormat format);
/// The format a file name's extension names (png, jpg, jpeg, bmp, svg, pdf, in any case).
std::optional<PictureFormat> pictureFormatOfName(const QString& path);
/// The extension a file of the format is given: png, jpg, bmp, svg, pdf.
QString pictureFormatExtension(PictureFormat format);

/// What a drawing is for: vector drawings and printers take a grid as one image of its cells
/// rather than one of device pixels; scale is the picture's resolution over 96 dpi, by which
/// text and lines grow.
struct PictureTarget {
  bool vector = false;
  double scale = 1;
};

/// Draws a picture into a painter's rectangle.
using PictureRenderer =
    std::function<void(QPainter& painter, const QRect& target, const PictureTarget& how)>;

/// The size of a picture in pixels and its resolution. Raster pictures have exactly these pixels
/// and note the resolution in the file; SVG and PDF are drawn on the same pixels and take the
/// physical size the resolution gives them (96 dpi: the screen's size).
struct PictureSize {
  QSize pixels;
  double dpi = 96;
};

/// Writes the picture to a file in a format; false when it cannot be written, with the message
/// (Cannot write file "…": reason) in failure. An existing file is replaced only by a complete
/// new one.
bool writePicture(const PictureRenderer& renderer, PictureSize size, const QString& path,
                  PictureFormat format, QString* failure = nullptr);

}  // namespace duvanet::render
