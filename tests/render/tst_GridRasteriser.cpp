#include <QTest>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "TestRegistry.h"
#include "engine/DotPlotGrid.h"
#include "render/AxisMath.h"
#include "render/GridRasteriser.h"

namespace duvanet::render {

using duvanet::engine::CellRect;
using duvanet::engine::DotPlotGrid;
using duvanet::render::AxisGeometry;
using duvanet::render::GridRasteriser;
using duvanet::render::GridView;
using duvanet::render::pixelCounts;

namespace {

// A view of the plot rectangle over the axis values [x0, x1) and [y0, y1), rows growing
// downwards as in the dot plot window.
GridView viewOf(QRect plot, double x0, double x1, double y0, double y1, bool invertX = false) {
  GridView view;
  view.plot = plot;
  view.columns = {double(plot.left()), double(plot.left() + plot.width()), x0, x1, invertX, false};
  view.rows = {double(plot.top()), double(plot.top() + plot.height()), y0, y1, true, true};
  return view;
}

DotPlotGrid exactGrid(CellRect cells, int (*count)(std::int64_t, std::int64_t)) {
  DotPlotGrid grid(cells, int(cells.width), int(cells.height));
  for (int y = 0; y < grid.binsY(); ++y)
    for (int x = 0; x < grid.binsX(); ++x)
      grid.row(y)[x] = std::uint16_t(count(cells.x + x, cells.y + y));
  return grid;
}

int diagonalCount(std::int64_t x, std::int64_t y) { return int((x * 7 + y * 3) % 11); }

// One colour per count, 0 for pixels without a cell.
std::vector<QRgb> colourTable(int highest) {
  std::vector<QRgb> colours{qRgb(255, 255, 255)};
  for (int c = 0; c <= highest; ++c) colours.push_back(qRgb(c * 20, 255 - c * 20, 100));
  return colours;
}

}  // namespace

class TestGridRasteriser : public QObject {
  Q_OBJECT

 private slots:
  // One pixel per cell: each pixel shows its own cell, row 1 at the top.
  void exactGridOnePixelPerCell() {
    const DotPlotGrid grid = exactGrid({0, 0, 6, 4}, diagonalCount);
    std::vector<std::uint16_t> counts;
    pixelCounts(&grid, nullptr, viewOf(QRect(10, 20, 6, 4), 1, 7, 1, 5), counts);
    QCOMPARE(counts.size(), std::size_t{24});
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) QCOMPARE(int(counts[y * 6 + x]), diagonalCount(x, y) + 1);
  }

  // An inverted horizontal axis mirrors the columns; pixels beyond the cells stay empty.
  void invertedAxisAndEmptyPixels() {
    const DotPlotGrid grid = exactGrid({0, 0, 4, 2}, diagonalCount);
    std::vector<std::uint16_t> counts;
    // Eight columns over the values 1 to 9: cells 1 to 4 on the right half when inverted.
    pixelCounts(&grid, nullptr, viewOf(QRect(0, 0, 8, 2), 1, 9, 1, 3, true), counts);
    for (int y = 0; y < 2; ++y) {
      for (int px = 0; px < 8; ++px) {
        const int cell = 7 - px;  // value 9 − px − 1 names cell 8 − px − 1
        const int expected = cell < 4 ? diagonalCount(cell, y) + 1 : 0;
        QCOMPARE(int(counts[y * 8 + px]), expected);
      }
    }
  }

  // Where a pixel covers several cells it shows the highest count among them.
  void pixelShowsTheHighestOfItsCells() {
    DotPlotGrid grid(CellRect{0, 0, 8, 8}, 8, 8);
    grid.row(1)[2] = 9;  // inside the top-left pixel
    grid.row(6)[7] = 4;  // inside the bottom-right pixel
    std::vector<std::uint16_t> counts;
    pixelCounts(&grid, nullptr, viewOf(QRect(0, 0, 2, 2), 1, 9, 1, 9), counts);
    QCOMPARE(int(counts[0]), 10);
    QCOMPARE(int(counts[1]), 1);
    QCOMPARE(int(counts[2]), 1);
    QCOMPARE(int(counts[3]), 5);
  }

  // A binned grid: each pixel over a bin shows the bin's count.
  void binnedGridShowsItsBins() {
    DotPlotGrid grid(CellRect{0, 0, 100, 100}, 10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) grid.row(y)[x] = std::uint16_t(x + y);
    std::vector<std::uint16_t> counts;
    pixelCounts(&grid, nullptr, viewOf(QRect(0, 0, 10, 10), 1, 101, 1, 101), counts);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) QCOMPARE(int(counts[y * 10 + x]), x + y + 1);
  }

  // The detail grid is read when it covers every cell in view, and only then.
  void detailIsUsedWhereItCoversTheView() {
    DotPlotGrid base(CellRect{0, 0, 100, 100}, 10, 10);
    for (int y = 0; y < 10; ++y) std::fill_n(base.row(y), 10, std::uint16_t{12});
    const DotPlotGrid detail = exactGrid({20, 30, 10, 10}, diagonalCount);
    std::vector<std::uint16_t> counts;
    pixelCounts(&base, &detail, viewOf(QRect(0, 0, 5, 5), 21, 26, 31, 36), counts);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x)
        QCOMPARE(int(counts[y * 5 + x]), diagonalCount(20 + x, 30 + y) + 1);
    // One cell column beyond the detail: the binned counts.
    pixelCounts(&base, &detail, viewOf(QRect(0, 0, 11, 5), 20, 31, 31, 36), counts);
    QCOMPARE(int(counts[5]), 13);
  }

  // Without a grid, or with an empty plot rectangle, nothing is drawn.
  void noGridNoCells() {
    std::vector<std::uint16_t> counts{7, 7};
    pixelCounts(nullptr, nullptr, viewOf(QRect(0, 0, 3, 2), 1, 4, 1, 3), counts);
    QCOMPARE(counts, std::vector<std::uint16_t>(6, 0));
    const DotPlotGrid grid = exactGrid({0, 0, 3, 3}, diagonalCount);
    pixelCounts(&grid, nullptr, viewOf(QRect(0, 0, 0, 5), 1, 4, 1, 4), counts);
    QVERIFY(counts.empty());
  }

  // A large view is counted in two bands; every pixel still shows the highest count of the
  // cells under it.
  void largeViewMatchesCellByCell() {
    const CellRect cells{0, 0, 2000, 2000};
    const DotPlotGrid grid = exactGrid(cells, diagonalCount);
    const GridView view = viewOf(QRect(3, 5, 500, 500), 1, 2001, 1, 2001);
    std::vector<std::uint16_t> counts;
    pixelCounts(&grid, nullptr, view, counts);
    for (int py = 0; py < 500; py += 7) {
      for (int px = 0; px < 500; px += 3) {
        // Four cells a side under every pixel.
        int highest = 0;
        for (int cy = py * 4; cy < py * 4 + 4; ++cy)
          for (int cx = px * 4; cx < px * 4 + 4; ++cx)
            highest = std::max(highest, diagonalCount(cx, cy));
        QCOMPARE(int(counts[py * 500 + px]), highest + 1);
      }
    }
  }

  // The image takes the table's colours, the last one for counts beyond it; a new table
  // recolours the same counts until the rasteriser is told the grid changed.
  void imageColoursAndCaching() {
    DotPlotGrid grid = exactGrid({0, 0, 4, 4}, diagonalCount);
    const GridView view = viewOf(QRect(0, 0, 4, 4), 1, 5, 1, 5);
    GridRasteriser rasteriser;
    const std::vector<QRgb> full = colourTable(10);
    QImage image = rasteriser.image(&grid, nullptr, view, full);
    QCOMPARE(image.size(), QSize(4, 4));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        QCOMPARE(image.pixel(x, y), full[std::size_t(diagonalCount(x, y)) + 1]);
    QVERIFY(rasteriser.colours() == full);

    const std::vector<QRgb> shortTable = colourTable(2);  // counts above 2 take the last colour
    grid.row(0)[0] = 5;                                   // not seen until invalidate()
    image = rasteriser.image(&grid, nullptr, view, shortTable);
    QCOMPARE(image.pixel(0, 0), shortTable[1]);
    QCOMPARE(image.pixel(1, 0), shortTable.back());  // count 7
    rasteriser.invalidate();
    image = rasteriser.image(&grid, nullptr, view, shortTable);
    QCOMPARE(image.pixel(0, 0), shortTable.back());
  }
};

DUVANET_TEST(TestGridRasteriser)

}  // namespace duvanet::render

#include "tst_GridRasteriser.moc"
