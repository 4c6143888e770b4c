#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <atomic>
#include <string>
#include <thread>

#include "ChartTestSupport.h"
#include "FakeDialogs.h"
#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "chart/ChartEditor.h"
#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"

namespace duvanet::chart {

using namespace duvanet::testing;

namespace {

int cellCount(int x, int y) { return (x * 7 + y * 3) % 13; }

// Every 5th pixel of the grid area shows the count of the cell that pixel to value names.
void checkDrawnCells(ColourGridChart& chart, const std::function<int(int, int)>& count,
                     const CellRect& cells) {
  const QImage image = chart.grab().toImage();
  const QRect plot = chart.plotRect();
  QVERIFY(plot.width() > 100 && plot.height() > 100);
  int checked = 0;
  for (int py = plot.top(); py <= plot.bottom(); py += 5) {
    for (int px = plot.left(); px <= plot.right(); px += 5) {
      const auto cx = static_cast<std::int64_t>(chart.pixelToValue(ChartAxis::Top, px)) - 1;
      const auto cy = static_cast<std::int64_t>(chart.pixelToValue(ChartAxis::Left, py)) - 1;
      if (cx < cells.x || cy < cells.y || cx >= cells.x + cells.width ||
          cy >= cells.y + cells.height)
        continue;
      const QColor expected = levelColour(count(int(cx), int(cy)));
      if (image.pixelColor(px, py) != expected) {
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 (cell %3,%4) shows %5, expected %6")
                             .arg(px)
                             .arg(py)
                             .arg(cx)
                             .arg(cy)
                             .arg(image.pixelColor(px, py).name(), expected.name())));
      }
      ++checked;
    }
  }
  QVERIFY(checked > 500);
}

int pixelsOfColour(const QImage& image, QColor colour, const QRect& inside, bool wanted = true) {
  int found = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (inside.contains(x, y) == wanted && image.pixelColor(x, y) == colour) ++found;
  return found;
}

}  // namespace

class TestColourGridChart : public QObject {
  Q_OBJECT
 private slots:
  void automaticRangesFromCellExtents() {
    ColourGridChart chart;
    chart.resize(600, 500);
    QCOMPARE(chart.hasSeries(), false);
    chart.setGrid(exactGrid(30, 20, cellCount));
    QVERIFY(chart.hasSeries());
    QCOMPARE(chart.automaticRange(ChartAxis::Top), std::make_pair(1.0, 31.0));
    QCOMPARE(chart.automaticRange(ChartAxis::Left), std::make_pair(1.0, 21.0));
    // The dot plot's left axis is inverted: the top of the grid is the smallest row value.
    QVERIFY(chart.axisInverted(ChartAxis::Left));
    const QRect plot = chart.plotRect();
    QCOMPARE(chart.pixelToValue(ChartAxis::Left, plot.top()), 1.0);
    chart.setAxisInverted(ChartAxis::Left, false);
    QCOMPARE(chart.pixelToValue(ChartAxis::Left, plot.top()), 21.0);
    QCOMPARE(chart.pixelToValue(ChartAxis::Top, plot.left()), 1.0);
    QCOMPARE(chart.pixelToValue(ChartAxis::Top, plot.left() + plot.width()), 31.0);
  }

  void drawnCellsFollowPixelToValue_data() {
    QTest::addColumn<bool>("invertTop");
    QTest::addColumn<bool>("invertLeft");
    QTest::addColumn<bool>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::newRow("dot plot axes") << false << true << false << QPoint();
    QTest::newRow("left not inverted") << false << false << false << QPoint();
    QTest::newRow("both inverted") << true << true << false << QPoint();
    QTest::newRow("top inverted") << true << false << false << QPoint();
    QTest::newRow("zoomed") << false << true << true << QPoint();
    QTest::newRow("zoomed, inverted") << true << false << true << QPoint();
    QTest::newRow("zoomed and scrolled") << false << true << true << QPoint(-37, 23);
    QTest::newRow("zoomed, inverted, scrolled") << true << false << true << QPoint(41, -19);
  }
  void drawnCellsFollowPixelToValue() {
    QFETCH(bool, invertTop);
    QFETCH(bool, invertLeft);
    QFETCH(bool, zoom);
    QFETCH(QPoint, scroll);
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.setAxisInverted(ChartAxis::Top, invertTop);
    chart.setAxisInverted(ChartAxis::Left, invertLeft);
    if (zoom) chart.zoomTo(7.3, 19.6, 4.2, 13.9);
    if (!scroll.isNull()) chart.scrollByPixels(scroll.x(), scroll.y());
    checkDrawnCells(chart, cellCount, CellRect{0, 0, 30, 20});
  }

  void pixelShowsHighestCountOfItsCells() {
    ColourGridChart chart;
    chart.resize(400, 380);
    chart.setGrid(
        exactGrid(2000, 1500, [](int x, int y) { return x == 1234 && y == 777 ? 9 : 1; }));
    distinctPalette(chart, 12);
    const QImage image = chart.grab().toImage();
    const int px = int(std::floor(chart.valueToPixel(ChartAxis::Top, 1235.5)));
    const int py = int(std::floor(chart.valueToPixel(ChartAxis::Left, 778.5)));
    QCOMPARE(image.pixelColor(px, py), levelColour(9));
    QCOMPARE(pixelsOfColour(image, levelColour(9), chart.plotRect()), 1);
    QCOMPARE(image.pixelColor(px + 3, py), levelColour(1));
  }

  void binnedGridShowsItsBins() {
    ColourGridChart chart;
    chart.resize(400, 380);
    DotPlotGrid grid(CellRect{0, 0, 1000, 1000}, 100, 100);
    for (int y = 0; y < 100; ++y) std::fill_n(grid.row(y), 100, std::uint16_t{2});
    grid.row(55)[37] = 7;  // bin (37, 55): cells 370..379 × 550..559
    chart.setGrid(std::move(grid));
    distinctPalette(chart, 12);
    QCOMPARE(chart.automaticRange(ChartAxis::Top), std::make_pair(1.0, 1001.0));
    const QImage image = chart.grab().toImage();
    const int px = int(std::floor(chart.valueToPixel(ChartAxis::Top, 376)));
    const int py = int(std::floor(chart.valueToPixel(ChartAxis::Left, 556)));
    QCOMPARE(image.pixelColor(px, py), levelColour(7));
    QCOMPARE(image.pixelColor(px, py + 10), levelColour(2));
  }

  void zoomedBinnedRegionIsRecomputed() {
    ColourGridChart chart;
    chart.resize(600, 500);
    DotPlotGrid grid(CellRect{0, 0, 1000, 1000}, 100, 100);
    for (int y = 0; y < 100; ++y) std::fill_n(grid.row(y), 100, std::uint16_t{12});
    chart.setGrid(std::move(grid));
    distinctPalette(chart, 12);
    const auto exact = [](int x, int y) { return (x + 2 * y) % 12; };
    std::atomic<int> calls{0};
    chart.setRegionProvider([&](CellRect region, const std::function<bool()>&) {
      ++calls;
      DotPlotGrid result(region, int(region.width), int(region.height));
      for (int y = 0; y < region.height; ++y)
        for (int x = 0; x < region.width; ++x)
          result.row(y)[x] = std::uint16_t(exact(int(region.x + x), int(region.y + y)));
      return result;
    });
    QCOMPARE(calls.load(), 0);  // the whole plot needs no recomputation
    QSignalSpy arrived(&chart, &ColourGridChart::detailArrived);
    chart.zoomTo(101, 141, 201, 231);  // 40 × 30 cells: fewer than pixels
    QVERIFY(arrived.wait(5000));
    QCOMPARE(calls.load(), 1);
    QVERIFY(chart.detailGrid() && chart.detailGrid()->isExact());
    checkDrawnCells(chart, exact, CellRect{100, 200, 40, 30});
    // A small scroll stays inside the computed margin: no new computation.
    chart.scrollByPixels(-30, 0);
    QTest::qWait(50);
    QCOMPARE(calls.load(), 1);
    checkDrawnCells(chart, exact, CellRect{0, 0, 1000, 1000});
    // Back to the whole plot: the binned counts again.
    chart.unzoom();
    const QImage image = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    QCOMPARE(image.pixelColor(plot.center()), levelColour(12));
  }

  void removingSeriesCancelsRecomputation() {
    ColourGridChart chart;
    chart.resize(600, 500);
    DotPlotGrid grid(CellRect{0, 0, 1000, 1000}, 100, 100);
    chart.setGrid(std::move(grid));
    std::atomic<bool> started{false};
    chart.setRegionProvider([&](CellRect region, const std::function<bool()>& keepGoing) {
      started = true;
      while (keepGoing()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return DotPlotGrid(region, int(region.width), int(region.height));
    });
    QSignalSpy arrived(&chart, &ColourGridChart::detailArrived);
    chart.zoomTo(1, 21, 1, 21);
    QTRY_VERIFY(started.load());
    QVERIFY(chart.detailPending());
    chart.removeAllSeries();  // returns once the worker has stopped
    QVERIFY(!chart.hasSeries());
    QTest::qWait(50);
    QCOMPARE(arrived.count(), 0);
    QVERIFY(!chart.detailGrid());
  }

  void addCellBuildsTheGrid() {
    ColourGridChart chart;
    chart.resize(500, 400);
    distinctPalette(chart, 12);
    // Descending X, then descending Z, values c − 0.001 as the dot plot adds them; (2, 2) missing.
    for (int x = 4; x >= 1; --x)
      for (int z = 3; z >= 1; --z)
        if (!(x == 2 && z == 2)) chart.addCell(x, (x + z) - 0.001, z);
    QCOMPARE(chart.plotCells(), (CellRect{0, 0, 4, 3}));
    QCOMPARE(chart.automaticRange(ChartAxis::Top), std::make_pair(1.0, 5.0));
    QCOMPARE(chart.automaticRange(ChartAxis::Left), std::make_pair(1.0, 4.0));
    const QImage image = chart.grab().toImage();
    const auto pixelOf = [&](double x, double z) {
      return QPoint(int(chart.valueToPixel(ChartAxis::Top, x)),
                    int(chart.valueToPixel(ChartAxis::Left, z)));
    };
    QCOMPARE(image.pixelColor(pixelOf(3.5, 1.5)), levelColour(4));
    QCOMPARE(image.pixelColor(pixelOf(4.5, 3.5)), levelColour(7));
    QCOMPARE(image.pixelColor(pixelOf(2.5, 2.5)), QColor(Qt::white));  // no cell there
  }

  void paletteChangesRecolour() {
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.setPaletteColour(5, QColor(255, 0, 0));
    QCOMPARE(chart.paletteColour(5), QColor(255, 0, 0));
    QCOMPARE(chart.paletteColour(4), levelColour(4));
    const QImage image = chart.grab().toImage();
    QVERIFY(pixelsOfColour(image, QColor(255, 0, 0), chart.plotRect()) > 100);
    QCOMPARE(pixelsOfColour(image, levelColour(5), chart.plotRect()), 0);
  }

  void repaintInsideAfterDrawStartsNoPass() {
    ColourGridChart chart;
    chart.resize(400, 300);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);
    int passes = 0;
    connect(&chart, &ColourGridChart::afterDraw, &chart, [&] {
      ++passes;
      QVERIFY(chart.isDrawing());
      chart.repaintNow();
    });
    chart.repaintNow();
    QCOMPARE(passes, 1);
    QTest::qWait(50);
    QCOMPARE(passes, 1);
    QVERIFY(!chart.isDrawing());
  }

  void colourWrittenInAfterDrawShowsWithOneMorePass() {
    ColourGridChart chart;
    chart.resize(400, 300);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);
    int passes = 0;
    // Like the colour update: rebuild the palette, repaint (ignored here), write a highlight.
    connect(&chart, &ColourGridChart::afterDraw, &chart, [&] {
      ++passes;
      distinctPalette(chart, 12);
      chart.repaintNow();
      chart.setPaletteColour(12, QColor(255, 0, 0));
    });
    chart.repaintNow();
    QCOMPARE(passes, 1);
    QTest::qWait(100);
    QCOMPARE(passes, 2);  // one more pass shows the highlight, then the palette is stable
    const QImage image = chart.grab().toImage();
    QVERIFY(pixelsOfColour(image, QColor(255, 0, 0), chart.plotRect()) > 0);
  }

  void zoomByDraggingAndBack() {
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QRect plot = chart.plotRect();
    const QPoint from = plot.topLeft() + QPoint(60, 50);
    const QPoint to = from + QPoint(150, 120);
    const double x0 = chart.pixelToValue(ChartAxis::Top, from.x());
    const double x1 = chart.pixelToValue(ChartAxis::Top, to.x());
    const double y0 = chart.pixelToValue(ChartAxis::Left, from.y());
    const double y1 = chart.pixelToValue(ChartAxis::Left, to.y());
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&chart, to);
    const QImage during = chart.grab().toImage();  // the red rubber band
    QVERIFY(pixelsOfColour(during, QColor(Qt::red), QRect(from, to).adjusted(0, 0, 1, 1)) > 100);
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(chart.isZoomed());
    QCOMPARE(chart.visibleRange(ChartAxis::Top), std::make_pair(x0, x1));
    QCOMPARE(chart.visibleRange(ChartAxis::Left), std::make_pair(y0, y1));
    // Dragging the other way goes back to the whole plot.
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, to);
    QTest::mouseMove(&chart, from);
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, from);
    QVERIFY(!chart.isZoomed());
    QCOMPARE(chart.visibleRange(ChartAxis::Top), std::make_pair(1.0, 31.0));
    // A double click does too.
    chart.zoomTo(5, 10, 5, 10);
    QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier, plot.center());
    QVERIFY(!chart.isZoomed());
    // A click without dragging changes nothing.
    QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, plot.center());
    QVERIFY(!chart.isZoomed());
    // With zooming switched off, a drag does not zoom.
    chart.setZoomEnabled(false);
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&chart, to);
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(!chart.isZoomed());
  }

  void scrollByRightDragAndWheel() {
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(30, 20, cellCount));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.zoomTo(11, 21, 6, 16);
    const QRect plot = chart.plotRect();
    const double perPixel = 10.0 / plot.width();
    const QPoint start = plot.center();
    QTest::mousePress(&chart, Qt::RightButton, Qt::NoModifier, start);
    QTest::mouseMove(&chart, start + QPoint(40, 0));
    QTest::mouseRelease(&chart, Qt::RightButton, Qt::NoModifier, start + QPoint(40, 0));
    // The content follows the pointer: the view moves to smaller values.
    QVERIFY(qAbs(chart.visibleRange(ChartAxis::Top).first - (11 - 40 * perPixel)) < 1e-9);
    QVERIFY(qAbs(chart.visibleRange(ChartAxis::Left).first - 6) < 1e-9);
    // Scrolling stops at the edge of the plot.
    chart.scrollByPixels(5000, 0);
    QCOMPARE(chart.visibleRange(ChartAxis::Top), std::make_pair(1.0, 11.0));
    // The wheel scrolls the rows; the left axis is inverted, so a notch up shows smaller rows.
    const auto before = chart.visibleRange(ChartAxis::Left);
    QWheelEvent wheel(QPointF(start), chart.mapToGlobal(QPointF(start)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    const auto after = chart.visibleRange(ChartAxis::Left);
    QVERIFY(after.first < before.first);
    QVERIFY(qAbs((before.first - after.first) - (plot.height() / 10) * 10.0 / plot.height()) <
            1e-9);
    // Without scrolling, nothing moves.
    chart.setScrollEnabled(false);
    QApplication::sendEvent(&chart, &wheel);
    QCOMPARE(chart.visibleRange(ChartAxis::Left), after);
  }

  void mouseSignalsCarryClientPixels() {
    ColourGridChart chart;
    chart.resize(400, 300);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QSignalSpy moved(&chart, &ColourGridChart::mouseMoved);
    QSignalSpy pressed(&chart, &ColourGridChart::mousePressed);
    QTest::mouseMove(&chart, QPoint(33, 44));
    QTRY_VERIFY(moved.count() >= 1);
    QCOMPARE(moved.last().at(1).toInt(), 33);
    QCOMPARE(moved.last().at(2).toInt(), 44);
    QTest::mousePress(&chart, Qt::RightButton, Qt::ShiftModifier, QPoint(50, 60));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(pressed.last().at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    QCOMPARE(pressed.last().at(2).toInt(), 50);
    QCOMPARE(pressed.last().at(3).toInt(), 60);
    QTest::mouseRelease(&chart, Qt::RightButton, Qt::ShiftModifier, QPoint(50, 60));
  }

  void legendShowsColourLevels() {
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(30, 20, [](int, int) { return 0; }));
    distinctPalette(chart, 12);
    QVERIFY(chart.legendVisible());
    const QImage image = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    for (int level = 1; level <= 12; ++level)
      QVERIFY2(pixelsOfColour(image, levelColour(level), plot, false) >= 40,
               qPrintable(QString::number(level)));
    chart.setLegendVisible(false);
    QVERIFY(chart.plotRect().width() > plot.width());
    const QImage hidden = chart.grab().toImage();
    QCOMPARE(pixelsOfColour(hidden, levelColour(7), chart.plotRect(), false), 0);
    chart.setLegendVisible(true);
    chart.setLegendPosition(LegendPosition::Bottom);
    QVERIFY(chart.plotRect().height() < plot.height());
    const QImage bottom = chart.grab().toImage();
    QVERIFY(pixelsOfColour(bottom, levelColour(7), chart.plotRect(), false) > 0);
  }

  void frameAndBackground() {
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    const QImage image = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    for (const int offset : {1, 2}) {
      QCOMPARE(image.pixelColor(plot.left() - offset, plot.center().y()), QColor(Qt::black));
      QCOMPARE(image.pixelColor(plot.right() + offset, plot.center().y()), QColor(Qt::black));
      QCOMPARE(image.pixelColor(plot.center().x(), plot.top() - offset), QColor(Qt::black));
      QCOMPARE(image.pixelColor(plot.center().x(), plot.bottom() + offset), QColor(Qt::black));
    }
  }

  void removeAllSeriesEmptiesTheChart() {
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    chart.zoomTo(2, 8, 2, 8);
    chart.removeAllSeries();
    QVERIFY(!chart.hasSeries());
    QVERIFY(!chart.isZoomed());
    QCOMPARE(chart.paletteCount(), 13);
    const QImage image = chart.grab().toImage();
    QCOMPARE(pixelsOfColour(image, levelColour(3), chart.plotRect()), 0);
  }

  void exportFormats_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << int(ChartImageFormat::Png) << "chart.png";
    QTest::newRow("jpeg") << int(ChartImageFormat::Jpeg) << "chart.jpg";
    QTest::newRow("bmp") << int(ChartImageFormat::Bmp) << "chart.bmp";
    QTest::newRow("svg") << int(ChartImageFormat::Svg) << "chart.svg";
    QTest::newRow("pdf") << int(ChartImageFormat::Pdf) << "chart.pdf";
  }
  void exportFormats() {
    QFETCH(int, format);
    QFETCH(QString, name);
    QTemporaryDir dir;
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    const QString path = dir.filePath(name);
    QVERIFY(chart.exportToFile(path, ChartImageFormat(format)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    switch (ChartImageFormat(format)) {
      case ChartImageFormat::Svg:
        QVERIFY(data.contains("<svg"));
        QVERIFY(data.contains("<image"));
        break;
      case ChartImageFormat::Pdf:
        QVERIFY(data.startsWith("%PDF"));
        break;
      default: {
        const QImage image = QImage::fromData(data);
        QCOMPARE(image.size(), QSize(500, 400));
        const QPoint centre = chart.plotRect().center();
        const QColor expected = chart.grab().toImage().pixelColor(centre);
        const QColor got = image.pixelColor(centre);
        QVERIFY(qAbs(got.red() - expected.red()) + qAbs(got.green() - expected.green()) < 24);
      }
    }
    QVERIFY(!chart.exportToFile(dir.filePath("missing/dir/x.png"), ChartImageFormat::Png));
  }

  // An export that cannot be written whole (the file size limit stands in for a full disk)
  // leaves the old file as it was, no scratch file behind, and says why; so does one into a
  // folder that does not exist.
  void failedExportSaysWhyAndKeepsOldFile_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << int(ChartImageFormat::Png) << "chart.png";
    QTest::newRow("bmp") << int(ChartImageFormat::Bmp) << "chart.bmp";
    QTest::newRow("svg") << int(ChartImageFormat::Svg) << "chart.svg";
    QTest::newRow("pdf") << int(ChartImageFormat::Pdf) << "chart.pdf";
  }
  void failedExportSaysWhyAndKeepsOldFile() {
    QFETCH(int, format);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(duvanet::testing::writeBytes(path, "old"));
    // Many small cells of changing colour: no format compresses them to a few kilobytes.
    const ChartRenderer noisy = [](QPainter& painter, const QRect& target, const PictureTarget&) {
      for (int y = 0; y < target.height(); y += 4)
        for (int x = 0; x < target.width(); x += 4)
          painter.fillRect(x, y, 4, 4, QColor::fromRgb(QRgb(x * 2654435761u ^ y * 40503u)));
    };
    QString failure;
    bool written = true;
    {
      duvanet::testing::FileSizeLimit limit(16 * 1024);
      QVERIFY(limit.active());
      written = exportChart(noisy, QSize(400, 300), path, ChartImageFormat(format), &failure);
    }
    QVERIFY(!written);
    QCOMPARE(failure, QStringLiteral("Cannot write file \"%1\": File too large").arg(path));
    QCOMPARE(duvanet::testing::readBytes(path), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});

    const QString missing = dir.filePath(QStringLiteral("missing/") + name);
    QVERIFY(!exportChart(noisy, QSize(40, 30), missing, ChartImageFormat(format), &failure));
    QCOMPARE(failure,
             QStringLiteral("Cannot write file \"%1\": No such file or directory").arg(missing));
  }

  void exportDialogLetsTheUserPick() {
    QTemporaryDir dir;
    ColourGridChart chart;
    chart.resize(300, 200);
    FakeFileDialogs dialogs;
    QList<std::pair<ChartImageFormat, PictureSize>> asked;
    const PictureSizeChooser chooser = [&](QWidget*, ChartImageFormat format,
                                           const PictureSize& initial) {
      asked.append({format, initial});
      return std::optional<PictureSize>(initial);
    };
    dialogs.saveAsAnswers.push_back(
        FileDialogs::SaveChoice{dir.filePath("picture"), QStringLiteral("SVG drawing (*.svg)")});
    QVERIFY(chart.showExportDialog(nullptr, dialogs, chooser));
    QCOMPARE(dialogs.saveAsCaptions, QStringList{QStringLiteral("Export chart")});
    const QString offered = dialogs.offeredFilters.value(0);
    for (const char* format : {"PNG", "JPEG", "Bitmap", "SVG", "PDF"})
      QVERIFY(offered.contains(format));
    QVERIFY(dialogs.offeredSelections.value(0).contains(QStringLiteral("PNG")));
    QVERIFY(QFile::exists(dir.filePath("picture.svg")));
    // The size asked for starts from the chart's on screen.
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].first, ChartImageFormat::Svg);
    QCOMPARE(asked[0].second.pixels, QSize(300, 200));
    QCOMPARE(asked[0].second.dpi, 96.0);
    dialogs.saveAsAnswers.push_back(FileDialogs::SaveChoice{dir.filePath("other.BMP"), QString()});
    QVERIFY(chart.showExportDialog(nullptr, dialogs, chooser));
    QVERIFY(!QImage(dir.filePath("other.BMP"), "BMP").isNull());
    // Cancelled: no answer left.
    QVERIFY(!chart.showExportDialog(nullptr, dialogs, chooser));
    // A size cancelled writes nothing.
    dialogs.saveAsAnswers.push_back(
        FileDialogs::SaveChoice{dir.filePath("never.png"), QStringLiteral("PNG image (*.png)")});
    QVERIFY(!chart.showExportDialog(nullptr, dialogs,
                                    [](QWidget*, ChartImageFormat, const PictureSize&) {
                                      return std::optional<PictureSize>();
                                    }));
    QVERIFY(!QFile::exists(dir.filePath("never.png")));
  }

  void printsOntoThePage() {
    QTemporaryDir dir;
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, cellCount));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("print.pdf"));
    printChart(printer, chart.renderer(), chart.size());
    QFile file(dir.filePath("print.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF"));
  }

  void printPreviewAndEditorAreModalAndTitled() {
    ColourGridChart chart;
    chart.resize(400, 300);
    chart.setGrid(exactGrid(30, 20, cellCount));
    QStringList titles;
    QStringList kinds;
    // Closes the modal dialog once it is up, after noting its title and type.
    const auto closeWhenShown = [&] {
      auto* poll = new QTimer(&chart);
      connect(poll, &QTimer::timeout, poll, [&, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        titles << modal->windowTitle();
        kinds << QString::fromLatin1(modal->metaObject()->className());
        poll->deleteLater();
        qobject_cast<QDialog*>(modal)->reject();
      });
      poll->start(20);
    };
    closeWhenShown();
    chart.showPrintPreview(nullptr, QStringLiteral("Duvanet print preview"));
    closeWhenShown();
    FakeFontDialogs fonts;
    ChartEditorDialog::edit(&chart, nullptr, QStringLiteral("Duvanet dot-plot editor"), fonts);
    QCOMPARE(titles, (QStringList{"Duvanet print preview", "Duvanet dot-plot editor"}));
    QCOMPARE(kinds.at(0), QStringLiteral("QPrintPreviewDialog"));
    QCOMPARE(kinds.at(1), QStringLiteral("duvanet::chart::ChartEditorDialog"));
  }

  void crossHairFollowsTheMouse() {
    ColourGridChart chart;
    chart.resize(500, 400);
    chart.setGrid(exactGrid(30, 20, [](int, int) { return 1; }));
    distinctPalette(chart, 12);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QRect plot = chart.plotRect();
    const QPoint at = plot.center();
    chart.setCrossHair(true);
    QTest::mouseMove(&chart, at);
    const QImage image = chart.grab().toImage();
    int onRow = 0, onColumn = 0;
    for (int x = plot.left(); x <= plot.right(); ++x)
      onRow += image.pixelColor(x, at.y()) == Qt::black;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
      onColumn += image.pixelColor(at.x(), y) == Qt::black;
    QVERIFY(onRow > plot.width() / 4);
    QVERIFY(onColumn > plot.height() / 4);
    chart.setCrossHair(false);
    const QImage plain = chart.grab().toImage();
    QCOMPARE(plain.pixelColor(at.x() + 7, at.y()), levelColour(1));
  }

  void engineProviderKeepsItsOwnStrands() {
    RegionProvider provider;
    DotPlotGrid whole;
    {
      std::u16string horiz = u"ACGTTGCAACGTAGCTAGCTAGGATCCGATCGATCGTAGCTAGCTAGCTAGGCTAGCTAC";
      std::u16string verti = u"TTGCAACGTAGCTAGCAAGGATCCGATCGTTCGTAGCTAGCTAGCTCGGCTAGC";
      duvanet::engine::DotPlotComputeRequest request;
      request.strands = {horiz, verti, {}, {}};
      request.windowSize = 5;
      request.type = dptIdentity;
      request.threads = 1;
      whole = duvanet::engine::computeDotPlot(request).grid;
      QVERIFY(whole.isExact());
      request.exactBudgetCells = 16;  // binned: the provider must still answer exactly
      provider = engineRegionProvider(request);
      horiz.assign(horiz.size(), u'N');  // the window releases or changes its copies
      verti.clear();
    }
    const CellRect region{7, 3, 20, 15};
    const DotPlotGrid part = provider(region, [] { return true; });
    QVERIFY(part.isExact());
    QCOMPARE(part.cells(), region);
    for (int y = 0; y < region.height; ++y)
      for (int x = 0; x < region.width; ++x)
        QCOMPARE(part.at(x, y), whole.at(int(region.x) + x, int(region.y) + y));
  }

  void editorEditsInPlace() {
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(30, 20, cellCount));
    distinctPalette(chart, 12);
    FakeFontDialogs fonts;
    ChartEditorDialog editor(&chart, nullptr, QStringLiteral("Duvanet dot-plot editor"), fonts);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Duvanet dot-plot editor"));
    QVERIFY(editor.isModal());
    QStringList pages;
    for (int i = 0; i < editor.pages()->count(); ++i)
      pages << editor.pages()->widget(i)->objectName();
    QCOMPARE(pages, (QStringList{"axisPage", "titlesPage", "legendPage", "toolsPage"}));

    auto* axisChoice = editor.findChild<QComboBox*>("cobAxis");
    axisChoice->setCurrentIndex(1);  // the left axis
    auto* inverted = editor.findChild<QCheckBox*>("cbInverted");
    QVERIFY(inverted->isChecked());
    inverted->setChecked(false);
    QVERIFY(!chart.axisInverted(ChartAxis::Left));
    editor.findChild<QLineEdit*>("edAxisTitle")->setText("Vertical");
    QCOMPARE(chart.axis(ChartAxis::Left).title, QStringLiteral("Vertical"));
    editor.findChild<QCheckBox*>("cbAutomatic")->setChecked(false);
    editor.findChild<QDoubleSpinBox*>("edMaximum")->setValue(11);
    editor.findChild<QDoubleSpinBox*>("edMinimum")->setValue(3);
    QCOMPARE(chart.visibleRange(ChartAxis::Left), std::make_pair(3.0, 11.0));
    editor.findChild<QDoubleSpinBox*>("edIncrement")->setValue(2);
    QCOMPARE(chart.axis(ChartAxis::Left).increment, 2.0);
    QFont chosen("Serif");
    chosen.setPixelSize(17);
    const QFont before = chart.axis(ChartAxis::Left).labelFont;
    fonts.answers.push_back(std::nullopt);  // cancelled: nothing changes
    editor.findChild<QPushButton*>("btLabelFont")->click();
    QCOMPARE(chart.axis(ChartAxis::Left).labelFont, before);
    fonts.answers.push_back(chosen);
    editor.findChild<QPushButton*>("btLabelFont")->click();
    QCOMPARE(fonts.initialFonts.size(), 2);
    QCOMPARE(fonts.initialFonts.at(1), before);
    QCOMPARE(chart.axis(ChartAxis::Left).labelFont.pixelSize(), 17);
    QCOMPARE(chart.axis(ChartAxis::Top).labelFont.pixelSize(), 13);
    axisChoice->setCurrentIndex(0);
    QVERIFY(editor.findChild<QCheckBox*>("cbAutomatic")->isChecked());  // the top axis' own
    editor.findChild<QCheckBox*>("cbInverted")->setChecked(true);
    QVERIFY(chart.axisInverted(ChartAxis::Top));

    editor.findChild<QLineEdit*>("edTitle")->setText("My plot");
    editor.findChild<QCheckBox*>("cbTitleVisible")->setChecked(true);
    QCOMPARE(chart.title(), QStringLiteral("My plot"));
    QVERIFY(chart.titleVisible());
    editor.findChild<QCheckBox*>("cbLegendVisible")->setChecked(false);
    QVERIFY(!chart.legendVisible());
    editor.findChild<QComboBox*>("cobLegendPosition")->setCurrentIndex(2);
    QCOMPARE(chart.legendPosition(), LegendPosition::Top);
    editor.findChild<QCheckBox*>("cbZoom")->setChecked(false);
    editor.findChild<QCheckBox*>("cbScroll")->setChecked(false);
    editor.findChild<QCheckBox*>("cbCrossHair")->setChecked(true);
    QVERIFY(!chart.zoomEnabled());
    QVERIFY(!chart.scrollEnabled());
    QVERIFY(chart.crossHair());
  }
};

DUVANET_TEST(TestColourGridChart)

}  // namespace duvanet::chart

#include "tst_ColourGridChart.moc"
