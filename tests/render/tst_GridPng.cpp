#include <QImage>
#include <QTest>
#include <cstdint>
#include <vector>

#include "TestRegistry.h"
#include "engine/DotPlotGrid.h"
#include "engine/Palette.h"
#include "render/GridPng.h"

namespace duvanet::render {

using engine::CellRect;
using engine::DotPlotGrid;
using engine::Rgb;

namespace {

// Distinct colours: entry i differs from every other entry.
std::vector<Rgb> distinctColours(int count) {
  std::vector<Rgb> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back({std::uint8_t(i % 256), std::uint8_t((i * 7) % 256), std::uint8_t(i / 256)});
  return colours;
}

// A grid whose counts run through 0 … highest + overshoot, so that every colour occurs (when
// there are enough pixels) and some counts lie beyond the table.
DotPlotGrid patternGrid(int width, int height, int highest, int overshoot) {
  DotPlotGrid grid(CellRect{0, 0, width, height}, width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      grid.row(y)[x] = std::uint16_t((x * 5 + y * 3 + x * y) % (highest + 1 + overshoot));
  return grid;
}

QRgb expectedPixel(const std::vector<Rgb>& colours, std::uint16_t count) {
  const Rgb& c = colours[std::min<std::size_t>(count, colours.size() - 1)];
  return qRgb(c.red, c.green, c.blue);
}

}  // namespace

class TestGridPng : public QObject {
  Q_OBJECT

 private slots:
  // Every pixel reads back in its count's colour, at every bit depth and at widths that leave a
  // partial last byte; the header names the smallest depth that holds the distinct colours.
  void pixelsReadBack_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("colourCount");
    QTest::addColumn<int>("overshoot");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("colourType");

    QTest::newRow("two colours, 1 bit, 1 x 1") << 1 << 1 << 2 << 0 << 1 << 3;
    QTest::newRow("two colours, 1 bit, width 13") << 13 << 5 << 2 << 0 << 1 << 3;
    QTest::newRow("four colours, 2 bits, width 7") << 7 << 6 << 4 << 0 << 2 << 3;
    QTest::newRow("three colours, 2 bits, width 9") << 9 << 4 << 3 << 0 << 2 << 3;
    QTest::newRow("13 levels, 4 bits, width 11") << 11 << 9 << 13 << 0 << 4 << 3;
    QTest::newRow("16 colours, 4 bits, width 8") << 8 << 8 << 16 << 0 << 4 << 3;
    QTest::newRow("17 colours, 8 bits") << 21 << 17 << 17 << 0 << 8 << 3;
    QTest::newRow("256 colours, 8 bits") << 64 << 40 << 256 << 0 << 8 << 3;
    QTest::newRow("257 colours, RGB") << 70 << 30 << 257 << 0 << 8 << 2;
    QTest::newRow("counts beyond the table, 4 bits") << 15 << 15 << 9 << 6 << 4 << 3;
    QTest::newRow("counts beyond the table, RGB") << 33 << 12 << 300 << 40 << 8 << 2;
  }
  void pixelsReadBack() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, colourCount);
    QFETCH(int, overshoot);
    QFETCH(int, depth);
    QFETCH(int, colourType);

    const std::vector<Rgb> colours = distinctColours(colourCount);
    const DotPlotGrid grid = patternGrid(width, height, colourCount - 1, overshoot);
    const QByteArray png = gridPng(grid, colours);
    QVERIFY(png.size() > 33);
    QCOMPARE(png.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(std::uint8_t(png[24])), depth);
    QCOMPARE(int(std::uint8_t(png[25])), colourType);
    QCOMPARE(png.right(8), QByteArray("IEND\xae\x42\x60\x82", 8));

    QImage image;
    QVERIFY(image.loadFromData(png, "PNG"));
    QCOMPARE(image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (image.pixel(x, y) != expectedPixel(colours, grid.at(x, y)))
          QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, count %4")
                               .arg(x)
                               .arg(y)
                               .arg(image.pixel(x, y), 8, 16)
                               .arg(grid.at(x, y))));
  }

  // Counts that share a colour share a palette entry: the dot plot palette with its lower thumb
  // at 10 of 24 draws eleven counts black and needs 4 bits, not 8.
  void sharedColoursShareAnEntry() {
    const std::vector<Rgb> colours = engine::smoothGreyScale(10, 24, 24, engine::ColourFamily::Red);
    const DotPlotGrid grid = patternGrid(40, 30, 24, 0);
    const QByteArray png = gridPng(grid, colours);
    QCOMPARE(int(std::uint8_t(png[24])), 4);
    QImage image;
    QVERIFY(image.loadFromData(png, "PNG"));
    for (int y = 0; y < grid.binsY(); ++y)
      for (int x = 0; x < grid.binsX(); ++x)
        QCOMPARE(image.pixel(x, y), expectedPixel(colours, grid.at(x, y)));
  }

  // A binned grid is written one pixel per bin.
  void binnedGridOnePixelPerBin() {
    DotPlotGrid grid(CellRect{0, 0, 1000, 700}, 10, 7);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 10; ++x) grid.row(y)[x] = std::uint16_t((x + y) % 3);
    const std::vector<Rgb> colours{{0, 0, 0}, {128, 0, 0}, {255, 255, 255}};
    QImage image;
    QVERIFY(image.loadFromData(gridPng(grid, colours), "PNG"));
    QCOMPARE(image.size(), QSize(10, 7));
    QCOMPARE(image.pixel(1, 0), qRgb(128, 0, 0));
    QCOMPARE(image.pixel(1, 1), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(3, 0), qRgb(0, 0, 0));
  }

  // Nothing to draw gives no file rather than a broken one.
  void emptyInputGivesNothing() {
    QVERIFY(gridPng(DotPlotGrid(), distinctColours(2)).isEmpty());
    QVERIFY(gridPng(patternGrid(3, 3, 1, 0), {}).isEmpty());
  }
};

DUVANET_TEST(TestGridPng)

}  // namespace duvanet::render

#include "tst_GridPng.moc"
