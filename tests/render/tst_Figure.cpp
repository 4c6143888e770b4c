#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "TestRegistry.h"
#include "core/SequenceFeature.h"
#include "render/Figure.h"
#include "render/PictureFile.h"

namespace duvanet::render {

namespace {

using engine::CellRect;
using engine::DotPlotGrid;

QRgb levelColour(int level) {
  return qRgb((level * 37 + 5) % 200, (level * 91 + 11) % 200, (level * 53 + 17) % 200);
}

int cellCount(int x, int y) { return (x * 7 + y * 3) % 13; }

std::shared_ptr<DotPlotGrid> exactGrid(int w, int h) {
  auto grid = std::make_shared<DotPlotGrid>(CellRect{0, 0, w, h}, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) grid->row(y)[x] = static_cast<std::uint16_t>(cellCount(x, y));
  return grid;
}

std::shared_ptr<const FeatureTrack> track(qint64 length) {
  auto table = std::make_shared<core::FeatureTable>();
  core::SequenceFeature gene;
  gene.key = QStringLiteral("gene");
  core::FeatureLocationPart part;
  part.start = 1;
  part.end = length / 2;
  gene.parts.push_back(part);
  table->push_back(gene);
  return std::make_shared<const FeatureTrack>(table);
}

// A figure of a w × h grid with 13 levels in distinct colours, titled axes and tracks.
FigureContent content(const DotPlotGrid& grid, int highlighted = -1) {
  FigureContent c;
  c.grid = &grid;
  c.colours = {qRgb(255, 255, 255)};
  for (int level = 0; level <= 12; ++level) {
    const QRgb colour = level == highlighted ? qRgb(255, 0, 0) : levelColour(level);
    c.colours.push_back(colour);
    c.legend.push_back({double(level), colour});
  }
  c.highlightedLevel = highlighted;
  QFont label;
  label.setPixelSize(13);
  label.setBold(true);
  QFont plain;
  plain.setPixelSize(12);
  c.font = plain;
  c.legendFont = plain;
  c.axes[0] = {1, double(grid.cells().width + 1), 1, false, QStringLiteral("horizontal"), label};
  c.axes[1] = {1, double(grid.cells().height + 1), 1, true, QStringLiteral("vertical"), label};
  c.tracks[0] = track(grid.cells().width);
  c.tracks[1] = track(grid.cells().height);
  return c;
}

QImage draw(const FigureContent& c, QSize size, double scale = 1) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::green);
  QPainter painter(&image);
  FigureDrawing drawing;
  drawing.scale = fittedScale(c, size, scale);
  drawFigure(painter, c, QRect(QPoint(0, 0), size), drawing);
  return image;
}

FigureLayout layoutAt(const FigureContent& c, QSize size, double scale = 1) {
  const double fitted = fittedScale(c, size, scale);
  return layoutFigure(c, QRect(0, 0, int(size.width() / fitted), int(size.height() / fitted)));
}

int countColour(const QImage& image, const QRect& inside, QRgb colour) {
  int found = 0;
  const QRect r = inside.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      found += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return found;
}

PictureRenderer rendererOf(const FigureContent& c) {
  return [c](QPainter& painter, const QRect& target, const PictureTarget& how) {
    FigureDrawing drawing;
    drawing.grid = how.vector ? GridImage::Cells : GridImage::DevicePixels;
    drawing.scale = fittedScale(c, target.size(), how.scale);
    drawFigure(painter, c, target, drawing);
  };
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestFigure : public QObject {
  Q_OBJECT
 private slots:
  // Every part is drawn, inside the picture, at sizes from small to large and at resolutions
  // that grow the text: a white margin all round, the grid's cells where the axes put them,
  // the frame, the tracks beside the axes and the legend beside the grid.
  void partsInPlace_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("scale");
    QTest::newRow("300 x 300") << QSize(300, 300) << 1.0;
    QTest::newRow("640 x 480") << QSize(640, 480) << 1.0;
    QTest::newRow("300 x 300 at 600 dpi") << QSize(300, 300) << 6.25;
    QTest::newRow("2400 x 1800 at 300 dpi") << QSize(2400, 1800) << 3.125;
    QTest::newRow("8000 x 300") << QSize(8000, 300) << 1.0;
  }
  void partsInPlace() {
    QFETCH(QSize, size);
    QFETCH(double, scale);
    const auto grid = exactGrid(40, 30);
    const FigureContent c = content(*grid);
    const QImage image = draw(c, size, scale);
    // Nothing reaches the picture's edge: the figure keeps a white margin all round.
    for (int x = 0; x < size.width(); ++x) {
      QCOMPARE(QColor(image.pixel(x, 0)), QColor(Qt::white));
      QCOMPARE(QColor(image.pixel(x, size.height() - 1)), QColor(Qt::white));
    }
    for (int y = 0; y < size.height(); ++y) {
      QCOMPARE(QColor(image.pixel(0, y)), QColor(Qt::white));
      QCOMPARE(QColor(image.pixel(size.width() - 1, y)), QColor(Qt::white));
    }
    const double fitted = fittedScale(c, size, scale);
    QVERIFY(fitted <= scale);
    const FigureLayout layout = layoutAt(c, size, scale);
    const QRect logical(0, 0, int(size.width() / fitted), int(size.height() / fitted));
    for (const QRect& part : {layout.plot, layout.legend, layout.tracks[0], layout.tracks[1]}) {
      QVERIFY(!part.isEmpty());
      QVERIFY(logical.contains(part));
    }
    QVERIFY(layout.plot.width() >= 0.4 * logical.width());
    QVERIFY(layout.plot.height() >= 0.4 * logical.height());
    // The tracks lie above and left of the grid, the legend right of it.
    QVERIFY(layout.tracks[0].bottom() < layout.plot.top());
    QVERIFY(layout.tracks[1].right() < layout.plot.left());
    QVERIFY(layout.legend.left() > layout.plot.right());
    // The cells: sample device pixels well inside cells.
    const QTransform toDevice = QTransform::fromScale(fitted, fitted);
    const QRect plot = toDevice.mapRect(QRectF(layout.plot)).toAlignedRect();
    const AxisGeometry gx = figureAxisGeometry(c, FigureSide::Top, plot);
    const AxisGeometry gy = figureAxisGeometry(c, FigureSide::Left, plot);
    for (const auto& [cx, cy] : {std::pair{0, 0}, {39, 29}, {17, 11}, {5, 28}}) {
      const int px = int(std::lround(valueToPixel(gx, cx + 1.5)));
      const int py = int(std::lround(valueToPixel(gy, cy + 1.5)));
      QCOMPARE(QColor(image.pixel(px, py)), QColor(levelColour(cellCount(cx, cy))));
    }
    // The frame, two logical pixels wide.
    QCOMPARE(QColor(image.pixel(plot.left() - 1, plot.center().y())), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(plot.center().x(), plot.bottom() + 2)), QColor(Qt::black));
    // The tracks draw their gene.
    const QRgb gene = featureClassColour(FeatureClass::Gene).rgb();
    QVERIFY(countColour(image, toDevice.mapRect(QRectF(layout.tracks[0])).toAlignedRect(), gene) >
            0);
    QVERIFY(countColour(image, toDevice.mapRect(QRectF(layout.tracks[1])).toAlignedRect(), gene) >
            0);
  }

  // The legend shows every level in its palette colour, the highlighted one too, even where
  // the levels share a continuous strip thinner than a pixel each.
  void legendMatchesPalette_data() {
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("highlighted");
    QTest::newRow("rows") << 13 << -1;
    QTest::newRow("rows, highlighted") << 13 << 7;
    QTest::newRow("strip, highlighted") << 600 << 333;
  }
  void legendMatchesPalette() {
    QFETCH(int, levels);
    QFETCH(int, highlighted);
    const auto grid = exactGrid(40, 30);
    FigureContent c = content(*grid);
    c.legend.clear();
    c.colours.resize(1);
    for (int level = 0; level < levels; ++level) {
      const QRgb colour = level == highlighted ? qRgb(255, 0, 0) : levelColour(level % 13);
      c.legend.push_back({double(level), colour});
      c.colours.push_back(colour);
    }
    c.highlightedLevel = highlighted;
    const QSize size(640, 480);
    const QImage image = draw(c, size);
    const QRect legend = layoutAt(c, size).legend;
    if (levels <= 13) {
      for (int level = 0; level < levels; ++level)
        QVERIFY2(countColour(image, legend, c.legend[level].colour) >= 40,
                 qPrintable(QString::number(level)));
    }
    if (highlighted >= 0) QVERIFY(countColour(image, legend, qRgb(255, 0, 0)) >= 2 * 40);
    // The legend is placed by its own rectangle: none of its colours outside it but in the grid.
    QCOMPARE(countColour(image, QRect(legend.right() + 1, 0, size.width(), size.height()),
                         levelColour(3)),
             0);
  }

  // Vector drawings hold the grid as one image with one pixel per cell; past the largest side
  // each pixel holds the highest count of its block of cells.
  void cellImageOnePixelPerCell() {
    const auto grid = exactGrid(40, 30);
    const FigureContent c = content(*grid);
    const CellImage cells = cellImage(c);
    QCOMPARE(cells.image.size(), QSize(40, 30));
    QCOMPARE(cells.image.format(), QImage::Format_Indexed8);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) QCOMPARE(cells.image.pixel(x, y), levelColour(cellCount(x, y)));
    // The left axis runs downwards: the image's top row is row 1.
    QCOMPARE(cells.rowsFrom, 1.0);
    QCOMPARE(cells.rowsTo, 31.0);
    const CellImage binned = cellImage(c, 16);
    QCOMPARE(binned.image.size(), QSize(16, 16));
    // Each block's highest count: the first block covers cells 0..2 × 0..1.
    int highest = 0;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) highest = std::max(highest, cellCount(x, y));
    QCOMPARE(binned.image.pixel(0, 0), levelColour(highest));
  }

  void vectorPicturesHoldOneImage_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("svg") << int(PictureFormat::Svg);
    QTest::newRow("pdf") << int(PictureFormat::Pdf);
  }
  void vectorPicturesHoldOneImage() {
    QFETCH(int, format);
    QTemporaryDir dir;
    const auto grid = exactGrid(40, 30);
    const FigureContent c = content(*grid);
    const QString path =
        dir.filePath(QStringLiteral("figure.") + pictureFormatExtension(PictureFormat(format)));
    QString failure;
    QVERIFY2(
        writePicture(rendererOf(c), {QSize(640, 480), 96}, path, PictureFormat(format), &failure),
        qPrintable(failure));
    const QByteArray data = fileBytes(path);
    if (PictureFormat(format) == PictureFormat::Svg) {
      QCOMPARE(data.count("<image"), qsizetype(1));
      QVERIFY(data.contains("<text"));  // the labels stay text
      QVERIFY(data.contains("image-rendering"));
      // The embedded image is the grid itself, one pixel per cell.
      const QRegularExpression base64(QStringLiteral("data:image/png;base64,([A-Za-z0-9+/=]+)"));
      const QRegularExpressionMatch match = base64.match(QString::fromLatin1(data));
      QVERIFY(match.hasMatch());
      const QImage embedded =
          QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG");
      QCOMPARE(embedded.size(), QSize(40, 30));
      QCOMPARE(embedded.pixel(17, 11) & 0xFFFFFF, levelColour(cellCount(17, 11)) & 0xFFFFFF);
    } else {
      QVERIFY(data.startsWith("%PDF"));
      QCOMPARE(data.count("/Subtype /Image"), qsizetype(1));
      QVERIFY(data.contains("/Width 40"));
      QVERIFY(data.contains("/Height 30"));
      // The page is the figure's size: 640 x 480 pixels at 96 dpi are 480 x 360 points.
      QVERIFY2(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 480(\\.0+)? 360(\\.0+)?\\]"))
                   .match(QString::fromLatin1(data))
                   .hasMatch(),
               data.left(2000).constData());
    }
  }

  // The resolution is noted in raster pictures, which keep their pixels.
  void rasterPicturesKeepSizeAndResolution() {
    QTemporaryDir dir;
    const auto grid = exactGrid(40, 30);
    const QString path = dir.filePath(QStringLiteral("figure.png"));
    QVERIFY(writePicture(rendererOf(content(*grid)), {QSize(1200, 900), 300}, path,
                         PictureFormat::Png));
    const QImage image(path);
    QCOMPARE(image.size(), QSize(1200, 900));
    QCOMPARE(image.dotsPerMeterX(), int(std::lround(300 / 0.0254)));
  }

  void formatsByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("png") << "a.png" << int(PictureFormat::Png);
    QTest::newRow("JPEG") << "a.JPEG" << int(PictureFormat::Jpeg);
    QTest::newRow("jpg") << "dir.x/a.jpg" << int(PictureFormat::Jpeg);
    QTest::newRow("bmp") << "a.bmp" << int(PictureFormat::Bmp);
    QTest::newRow("Svg") << "a.Svg" << int(PictureFormat::Svg);
    QTest::newRow("pdf") << "a.b.pdf" << int(PictureFormat::Pdf);
    QTest::newRow("none") << "a" << -1;
    QTest::newRow("unknown") << "a.tiff" << -1;
    QTest::newRow("dot in folder") << "a.png/b" << -1;
  }
  void formatsByName() {
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto found = pictureFormatOfName(name);
    QCOMPARE(found ? int(*found) : -1, format);
  }

  void pixelSizedFonts() {
    QFont pixels;
    pixels.setPixelSize(17);
    QCOMPARE(pixelSizedFont(pixels).pixelSize(), 17);
    QFont points;
    points.setPointSize(9);
    const QFont converted = pixelSizedFont(points);
    QVERIFY(converted.pixelSize() > 0);
    QCOMPARE(converted.pixelSize(), QFontInfo(points).pixelSize());
  }
};

DUVANET_TEST(TestFigure)

}  // namespace duvanet::render

#include "tst_Figure.moc"
