#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cmath>

#include "ChartTestSupport.h"
#include "FakeDialogs.h"
#include "TestRegistry.h"
#include "chart/ChartEditor.h"
#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"
#include "chart/FontDialogs.h"
#include "chart/PictureSizeDialog.h"

namespace duvanet::chart {

using namespace duvanet::testing;

namespace {

// A paint device of any resolution that notes the height of every text drawn and the place of
// every image, in device pixels: what a printer or a PDF writer would put on the page.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& changed) override {
    if (changed.state() & QPaintEngine::DirtyTransform) m_transform = changed.transform();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    images.append(m_transform.mapRect(r));
  }
  void drawTextItem(const QPointF&, const QTextItem& item) override {
    const double scale = std::sqrt(std::abs(m_transform.determinant()));
    texts.append({item.text(), (item.ascent() + item.descent()) * scale});
  }
  void drawRects(const QRect*, int) override {}
  void drawRects(const QRectF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
  Type type() const override { return QPaintEngine::User; }

  QList<QRectF> images;
  QList<std::pair<QString, double>> texts;

 private:
  QTransform m_transform;
};

class RecordingDevice : public QPaintDevice {
 public:
  RecordingDevice(QSize size, int dpi) : m_size(size), m_dpi(dpi) {}
  QPaintEngine* paintEngine() const override { return &m_engine; }
  RecordingEngine& engine() { return m_engine; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return m_size.width();
      case PdmHeight:
        return m_size.height();
      case PdmWidthMM:
        return int(m_size.width() * 25.4 / m_dpi);
      case PdmHeightMM:
        return int(m_size.height() * 25.4 / m_dpi);
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return m_dpi;
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return INT_MAX;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  QSize m_size;
  int m_dpi;
  mutable RecordingEngine m_engine;
};

// The height of a drawn text over the width of the drawn grid.
double textToPlot(const RecordingEngine& engine, const QString& text) {
  double height = 0;
  for (const auto& [drawn, h] : engine.texts)
    if (drawn == text) height = std::max(height, h);
  double plot = 0;
  for (const QRectF& r : engine.images) plot = std::max(plot, r.width());
  return plot > 0 ? height / plot : 0;
}

void prepare(ColourGridChart& chart) {
  chart.resize(500, 400);
  chart.setGrid(exactGrid(30, 20, [](int x, int y) { return (x + y) % 13; }));
  distinctPalette(chart, 12);
  chart.setAxisTitle(ChartAxis::Top, QStringLiteral("Horizontal"));
  chart.setAxisTitle(ChartAxis::Left, QStringLiteral("Vertical"));
  QFont pointFont = chart.font();
  pointFont.setPointSize(9);  // a widget font in points, as the windows have
  chart.setFont(pointFont);
}

}  // namespace

class TestChartFigures : public QObject {
  Q_OBJECT
 private slots:
  // Printed, previewed and PDF pages keep the screen's proportions of text to plot, whatever
  // the device's resolution: axis titles, legend numbers and tick labels alike.
  void pagesKeepTextProportions_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("page");
    QTest::newRow("300 dpi page") << 300 << QSize(2480, 3508);
    QTest::newRow("1200 dpi page") << 1200 << QSize(9920, 14032);
    QTest::newRow("1200 dpi landscape") << 1200 << QSize(14032, 9920);
  }
  void pagesKeepTextProportions() {
    QFETCH(int, dpi);
    QFETCH(QSize, page);
    ColourGridChart chart;
    prepare(chart);
    RecordingDevice screen(chart.size(), 96);
    {
      QPainter painter(&screen);
      chart.renderer()(painter, QRect(QPoint(0, 0), chart.size()), PictureTarget{true, 1});
    }
    RecordingDevice printer(page, dpi);
    paintChartOnPage(printer, chart.renderer(), chart.size());
    for (const QString& text : {QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                QStringLiteral("12"), QStringLiteral("7")}) {
      const double onScreen = textToPlot(screen.engine(), text);
      const double onPage = textToPlot(printer.engine(), text);
      QVERIFY2(onScreen > 0 && onPage > 0, qPrintable(text));
      QVERIFY2(std::abs(onPage / onScreen - 1) < 0.1,
               qPrintable(QStringLiteral("%1: %2 of the plot on the page, %3 on screen")
                              .arg(text)
                              .arg(onPage)
                              .arg(onScreen)));
    }
    // One image for the grid on the page, as wide as the page allows.
    QCOMPARE(printer.engine().images.size(), 1);
  }

  // A typed known extension decides the format; without one the filter's is appended.
  void exportChoiceFollowsTheTypedExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("format");
    const QString png = QStringLiteral("PNG image (*.png)");
    const QString svg = QStringLiteral("SVG drawing (*.svg)");
    QTest::newRow("svg typed, png filter")
        << "/t/plot.svg" << png << "/t/plot.svg" << int(ChartImageFormat::Svg);
    QTest::newRow("png typed, svg filter")
        << "/t/plot.png" << svg << "/t/plot.png" << int(ChartImageFormat::Png);
    QTest::newRow("upper case PDF")
        << "/t/plot.PDF" << png << "/t/plot.PDF" << int(ChartImageFormat::Pdf);
    QTest::newRow("jpeg") << "/t/plot.jpeg" << svg << "/t/plot.jpeg" << int(ChartImageFormat::Jpeg);
    QTest::newRow("none: filter's")
        << "/t/plot" << svg << "/t/plot.svg" << int(ChartImageFormat::Svg);
    QTest::newRow("unknown: filter's appended")
        << "/t/plot.v2" << png << "/t/plot.v2.png" << int(ChartImageFormat::Png);
    QTest::newRow("dotted folder")
        << "/t/a.svg/plot" << png << "/t/a.svg/plot.png" << int(ChartImageFormat::Png);
    QTest::newRow("neither") << "/t/plot" << QString() << QString() << -1;
  }
  void exportChoiceFollowsTheTypedExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, path);
    QFETCH(int, format);
    const auto choice = chartExportChoice(typed, filter);
    QCOMPARE(choice.has_value(), format >= 0);
    if (!choice) return;
    QCOMPARE(choice->path, path);
    QCOMPARE(int(choice->format), format);
  }

  // Through the dialog: "plot.svg" typed under the PNG filter is an SVG drawing.
  void exportDialogWritesTheTypedFormat() {
    QTemporaryDir dir;
    ColourGridChart chart;
    prepare(chart);
    FakeFileDialogs dialogs;
    const auto keep = [](QWidget*, ChartImageFormat, const PictureSize& initial) {
      return std::optional<PictureSize>(initial);
    };
    dialogs.saveAsAnswers.push_back(
        FileDialogs::SaveChoice{dir.filePath("plot.svg"), QStringLiteral("PNG image (*.png)")});
    QVERIFY(chart.showExportDialog(nullptr, dialogs, keep));
    QFile svg(dir.filePath("plot.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    dialogs.saveAsAnswers.push_back(
        FileDialogs::SaveChoice{dir.filePath("plot.png"), QStringLiteral("SVG drawing (*.svg)")});
    QVERIFY(chart.showExportDialog(nullptr, dialogs, keep));
    QCOMPARE(QImage(dir.filePath("plot.png"), "PNG").size(), chart.size());
    QVERIFY(!QFile::exists(dir.filePath("plot.png.svg")));
  }

  // Black major ticks 3 pixels wide, one black minor tick 2 pixels wide between them.
  void tickWidths() {
    ColourGridChart chart;
    chart.resize(600, 500);
    chart.setGrid(exactGrid(10, 8, [](int, int) { return 0; }));
    chart.setLegendVisible(false);
    chart.clearPalette();
    chart.addPaletteEntry(0, Qt::white);
    const QImage image = chart.renderImage(chart.size());
    const QRect plot = chart.plotRect();
    // Top axis: ticks stand above the frame; count the black run across a tick's middle.
    const int y = plot.top() - 2 - 3;
    const auto runAt = [&](int x) {
      int left = x, right = x;
      while (left > 0 && QColor(image.pixel(left - 1, y)) == Qt::black) --left;
      while (right < image.width() - 1 && QColor(image.pixel(right + 1, y)) == Qt::black) ++right;
      return QColor(image.pixel(x, y)) == Qt::black ? right - left + 1 : 0;
    };
    for (const double value : {2.0, 5.0, 9.0}) {
      const int x = int(std::lround(chart.valueToPixel(ChartAxis::Top, value)));
      QCOMPARE(runAt(x), 3);
      const int minor = int(std::lround(chart.valueToPixel(ChartAxis::Top, value + 0.5)));
      // The minor tick is shorter: it reaches the frame but not this high.
      QCOMPARE(runAt(minor), 0);
      const int minorY = plot.top() - 2 - 1;
      int width = 0;
      for (int dx = -3; dx <= 3; ++dx)
        width += QColor(image.pixel(minor + dx, minorY)) == Qt::black;
      QCOMPARE(width, 2);
    }
    // Left axis likewise.
    const int x = plot.left() - 2 - 2;
    const int tickY = int(std::lround(chart.valueToPixel(ChartAxis::Left, 4.0)));
    int height = 0;
    for (int dy = -4; dy <= 4; ++dy) height += QColor(image.pixel(x, tickY + dy)) == Qt::black;
    QCOMPARE(height, 3);
  }

  // The label-font button names the font in its own unit; the real dialog opens on the current
  // font and OK keeps it, bold included.
  void labelFontInItsOwnUnit() {
    ColourGridChart chart;
    prepare(chart);
    FakeFontDialogs fonts;
    ChartEditorDialog editor(&chart, nullptr, QStringLiteral("Duvanet dot-plot editor"), fonts);
    auto* button = editor.findChild<QPushButton*>("btLabelFont");
    QVERIFY(button->text().contains(QStringLiteral("13 px, bold")));
    QFont points(QStringLiteral("Serif"));
    points.setPointSize(11);
    fonts.answers.push_back(points);
    button->click();
    QVERIFY2(button->text().endsWith(QStringLiteral(", 11 pt")), qPrintable(button->text()));
  }

  void fontDialogRoundTrip_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::newRow("13 px bold") << 13 << true;
    QTest::newRow("17 px") << 17 << false;
  }
  void fontDialogRoundTrip() {
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFont current;
    current.setPixelSize(pixels);
    current.setBold(bold);
    QFontDialog dialog;
    dialog.setCurrentFont(QtFontDialogs::fontForDialog(current));
    const QFont shown = dialog.currentFont();
    QCOMPARE(shown.family(), QFontInfo(current).family());
    QCOMPARE(shown.bold(), bold);
    // OK without a change: the same font in the same unit.
    const QFont back = QtFontDialogs::fontFromDialog(current, shown);
    QCOMPARE(back.pixelSize(), pixels);
    QCOMPARE(back.bold(), bold);
    // A new size chosen keeps the bold and comes back in pixels.
    QFont larger = shown;
    larger.setPointSizeF(shown.pointSizeF() * 2);
    const QFont grown = QtFontDialogs::fontFromDialog(current, larger);
    QVERIFY(grown.pixelSize() >= 2 * pixels - 1);
    QCOMPARE(grown.bold(), bold);
  }

  // The size dialog starts from the chart's size and converts millimetres at the resolution.
  void pictureSizeDialog() {
    PictureSizeDialog dialog(nullptr, ChartImageFormat::Png, PictureSize{QSize(642, 455), 96});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Picture size"));
    QCOMPARE(dialog.pictureSize().pixels, QSize(642, 455));
    auto* width = dialog.findChild<QDoubleSpinBox*>("edWidth");
    auto* height = dialog.findChild<QDoubleSpinBox*>("edHeight");
    auto* unit = dialog.findChild<QComboBox*>("cobUnit");
    auto* resolution = dialog.findChild<QSpinBox*>("edResolution");
    QCOMPARE(resolution->value(), 96);
    // Proportions kept: the height follows the width.
    width->setValue(1284);
    QCOMPARE(dialog.pictureSize().pixels, QSize(1284, 910));
    unit->setCurrentIndex(int(PictureSizeDialog::Unit::Millimetres));
    QCOMPARE(width->value(), 339.7);  // 1284 px at 96 dpi
    resolution->setValue(300);        // millimetres stay, pixels follow
    QCOMPARE(width->value(), 339.7);
    QCOMPARE(dialog.pictureSize().pixels.width(), int(std::lround(339.7 / 25.4 * 300)));
    QCOMPARE(dialog.pictureSize().dpi, 300.0);
    dialog.findChild<QCheckBox*>("cbKeepProportions")->setChecked(false);
    height->setValue(100);
    QCOMPARE(width->value(), 339.7);
    QCOMPARE(dialog.pictureSize().pixels.height(), int(std::lround(100 / 25.4 * 300)));
    // Sizes stay within what can be drawn.
    unit->setCurrentIndex(int(PictureSizeDialog::Unit::Pixels));
    width->setValue(1e6);
    QCOMPARE(dialog.pictureSize().pixels.width(), PictureSizeDialog::kMaxPixels);
  }

  // An exported figure of a chosen size and resolution: text grows with the resolution, so
  // that the picture at 300 dpi looks as the one at 96 dpi, only sharper.
  void exportAtResolution() {
    QTemporaryDir dir;
    ColourGridChart chart;
    prepare(chart);
    const QString low = dir.filePath("low.png"), high = dir.filePath("high.png");
    QVERIFY(chart.exportToFile(low, ChartImageFormat::Png, PictureSize{QSize(640, 480), 96}));
    QVERIFY(chart.exportToFile(high, ChartImageFormat::Png, PictureSize{QSize(2000, 1500), 300}));
    const QImage a(low), b(high);
    QCOMPARE(b.size(), QSize(2000, 1500));
    // Where the grid starts, relative to the picture: the same within a few percent.
    // The grid begins at the first pixel of a level colour right of the black frame.
    const auto gridLeft = [](const QImage& image) {
      const int y = image.height() / 2;
      for (int x = 1; x < image.width() / 2; ++x) {
        if (QColor(image.pixel(x - 1, y)) != Qt::black) continue;
        for (int level = 0; level <= 12; ++level)
          if (QColor(image.pixel(x, y)) == levelColour(level)) return double(x) / image.width();
      }
      return 0.0;
    };
    QVERIFY(gridLeft(a) > 0);
    QVERIFY(std::abs(gridLeft(a) - gridLeft(b)) < 0.03);
  }
};

DUVANET_TEST(TestChartFigures)

}  // namespace duvanet::chart

#include "tst_ChartFigures.moc"
