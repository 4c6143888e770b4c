#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "FakeDialogs.h"
#include "TestRegistry.h"
#include "chart/BarChart.h"

namespace duvanet::chart {

namespace {

// Two sequences counted over the symbols A, C, G, T as the statistics window adds them.
void fillCounts(BarChart& chart) {
  chart.removeAllSeries();
  const QStringList symbols{"A", "C", "G", "T"};
  const QList<QList<double>> counts{{5, 3, 0, 8}, {2, 7, 4, 1}};
  for (int s = 0; s < 2; ++s) {
    const int series = chart.createBarSeries();
    chart.setSeriesTitle(series, QStringLiteral("seq%1").arg(s + 1));
    chart.setStackGroup(series, 0);
    chart.setMarksVisible(series, false);
    for (int i = 0; i < symbols.size(); ++i) chart.addBarPoint(series, i, counts[s][i], symbols[i]);
  }
}

int pixelsOf(const QImage& image, QColor colour) {
  int found = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) ++found;
  return found;
}

}  // namespace

class TestBarChart : public QObject {
  Q_OBJECT
 private slots:
  void seriesStandSideBySide() {
    BarChart chart;
    chart.resize(600, 400);
    fillCounts(chart);
    QCOMPARE(chart.seriesCount(), 2);
    QCOMPARE(chart.categories(), (QStringList{"A", "C", "G", "T"}));
    QCOMPARE(chart.seriesTitle(0), QStringLiteral("seq1"));
    QCOMPARE(chart.value(1, 1), 7.0);
    QCOMPARE(chart.value(0, 2), 0.0);
    QVERIFY(!chart.marksVisible(0));
    QVERIFY(chart.seriesColour(0) != chart.seriesColour(1));
    QCOMPARE(chart.stackGroup(1), 0);

    // Side by side, not stacked: at C (seq1 3, seq2 7) the second series' bar stands right of
    // the first one's, each from the axis up.
    const QImage image = chart.renderImage(QSize(600, 400));
    const BarChartAxes axes = chart.axesAt(QSize(600, 400));
    const double categoryWidth = axes.plot.width() / 4;
    const int y = int(axes.plot.bottom()) - 2;
    int firstAt = -1;
    int secondAt = -1;
    for (int x = int(axes.plot.left() + categoryWidth);
         x < int(axes.plot.left() + 2 * categoryWidth); ++x) {
      if (firstAt < 0 && image.pixelColor(x, y) == chart.seriesColour(0)) firstAt = x;
      if (secondAt < 0 && image.pixelColor(x, y) == chart.seriesColour(1)) secondAt = x;
    }
    QVERIFY(firstAt >= 0 && secondAt > firstAt);
    const auto heightAt = [&](int x) {
      int top = y;
      while (top > 0 && image.pixelColor(x, top - 1) == image.pixelColor(x, y)) --top;
      return y - top;
    };
    QVERIFY(heightAt(secondAt + 2) > 2 * heightAt(firstAt + 2));
  }

  void legend() {
    BarChart chart;
    fillCounts(chart);
    QVERIFY(!chart.legendVisible());
    const QImage without = chart.renderImage(QSize(600, 400));
    chart.setLegendVisible(true);
    QVERIFY(chart.legendVisible());
    fillCounts(chart);  // new series keep the setting
    QVERIFY(chart.legendVisible());
    // The legend takes room at the right: the plot is narrower.
    chart.setLegendVisible(false);
    const double wide = chart.axesAt(QSize(600, 400)).plot.width();
    chart.setLegendVisible(true);
    QVERIFY(chart.axesAt(QSize(600, 400)).plot.width() < wide - 20);
    QVERIFY(chart.renderImage(QSize(600, 400)) != without);
  }

  void labelsAtSparseX() {
    BarChart chart;
    const int s = chart.createBarSeries();
    chart.addBarPoint(s, 5, 1, "X");
    chart.addBarPoint(s, 2, 4, "Y");
    const int t = chart.createBarSeries();
    chart.addBarPoint(t, 9, 2, "Z");
    QCOMPARE(chart.categories(), (QStringList{"Y", "X", "Z"}));
    QCOMPARE(chart.value(1, 2), 2.0);
    QCOMPARE(chart.value(1, 0), 0.0);
  }

  void removeAllSeriesEmpties() {
    BarChart chart;
    fillCounts(chart);
    chart.removeAllSeries();
    QCOMPARE(chart.seriesCount(), 0);
    QVERIFY(chart.categories().isEmpty());
    // Only the axes are left: no series colour on the picture.
    const QImage image = chart.renderImage(QSize(300, 200));
    QCOMPARE(pixelsOf(image, chart.seriesColour(0)), 0);
  }

  void drawsBothSeries() {
    BarChart chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    fillCounts(chart);
    const QImage image = chart.renderImage(QSize(600, 400));
    QVERIFY(pixelsOf(image, chart.seriesColour(0)) > 200);
    QVERIFY(pixelsOf(image, chart.seriesColour(1)) > 200);
  }

  // The value axis takes its step from its length: labels at least two label heights apart,
  // at round steps (1, 2 or 5 times a power of ten, never below 1), with the next smaller round
  // step too close; the axis ends at a labelled step at or above the highest value.
  void valueAxisStepFollowsLength_data() {
    QTest::addColumn<double>("highest");
    QTest::addColumn<int>("height");
    QTest::newRow("a few, default height") << 3.0 << 230;
    QTest::newRow("a dozen, low") << 12.0 << 120;
    QTest::newRow("forty, default height") << 40.0 << 230;
    QTest::newRow("thousands, default height") << 4321.0 << 230;
    QTest::newRow("thousands, tall") << 4321.0 << 900;
    QTest::newRow("millions, very low") << 2.5e6 << 70;
  }
  void valueAxisStepFollowsLength() {
    QFETCH(double, highest);
    QFETCH(int, height);
    BarChart chart;
    const int s = chart.createBarSeries();
    chart.addBarPoint(s, 0, highest, "A");
    chart.addBarPoint(s, 1, 1, "C");
    const BarChartAxes axes = chart.axesAt(QSize(500, height));
    const double labelHeight = QFontMetricsF(chart.labelFont()).height();
    QVERIFY(axes.top >= highest);
    QVERIFY(axes.top - axes.step < highest);
    QVERIFY(std::fmod(axes.top, axes.step) < 1e-9);
    const double pixelsPerStep = axes.plot.height() * axes.step / axes.top;
    if (axes.plot.height() >= 2 * labelHeight)
      QVERIFY2(pixelsPerStep >= 2 * labelHeight - 1e-9, qPrintable(QString::number(axes.step)));
    else
      QCOMPARE(axes.step, axes.top);  // too short for more: 0 and the top only
    QVERIFY(axes.step >= 1);
    const double power = std::pow(10.0, std::floor(std::log10(axes.step)));
    const double mantissa = axes.step / power;
    QVERIFY2(qFuzzyCompare(mantissa, 1.0) || qFuzzyCompare(mantissa, 2.0) ||
                 qFuzzyCompare(mantissa, 5.0),
             qPrintable(QString::number(axes.step)));
    const double smaller = qFuzzyCompare(mantissa, 5.0) ? axes.step * 2 / 5 : axes.step / 2;
    if (axes.step > 1 && axes.plot.height() >= 2 * labelHeight) {
      const double smallerTop = std::ceil(highest / smaller) * smaller;
      QVERIFY(axes.plot.height() * smaller / smallerTop < 2 * labelHeight);
    }
    // The widest value label fits left of the axis: nothing is cut.
    const QString widest = QString::number(axes.top, 'f', 0);
    QVERIFY(QFontMetricsF(chart.labelFont()).horizontalAdvance(widest) < axes.plot.left());
  }

  // Category labels: all of them where they fit, else every n-th, never overlapping.
  void categoryLabelsThinOut_data() {
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("all");
    QTest::newRow("four symbols") << 4 << 600 << true;
    QTest::newRow("twenty symbols") << 20 << 600 << true;
    QTest::newRow("48 symbols, default width") << 48 << 470 << false;
    QTest::newRow("48 symbols, wide") << 48 << 1500 << true;
    QTest::newRow("200 symbols") << 200 << 600 << false;
  }
  void categoryLabelsThinOut() {
    QFETCH(int, categories);
    QFETCH(int, width);
    QFETCH(bool, all);
    BarChart chart;
    const int s = chart.createBarSeries();
    for (int c = 0; c < categories; ++c) chart.addBarPoint(s, c, c + 1, QString(QChar(0x21 + c)));
    const BarChartAxes axes = chart.axesAt(QSize(width, 300));
    QCOMPARE(axes.labelEvery == 1, all);
    const double categoryWidth = axes.plot.width() / categories;
    const QFontMetricsF metrics(chart.labelFont());
    double widest = 0;
    for (const QString& label : chart.categories())
      widest = std::max(widest, metrics.horizontalAdvance(label));
    // Labelled categories are far enough apart for the widest label, and not needlessly far.
    QVERIFY(categoryWidth * double(axes.labelEvery) >= widest);
    if (axes.labelEvery > 1) QVERIFY(categoryWidth * double(axes.labelEvery - 1) < widest + 8);
    QVERIFY(axes.labelEvery <= categories);
  }

  // A million series over four categories draw in bounded time: where many share a pixel
  // column, it shows the highest of them in that series' colour.
  void manySeriesShareAPixel() {
    class Many : public BarTable {
     public:
      qsizetype seriesCount() const override { return 1'000'000; }
      qsizetype categoryCount() const override { return 4; }
      QString seriesTitle(qsizetype series) const override { return QString::number(series); }
      QString categoryLabel(qsizetype category) const override {
        return QString(QChar(u"ACGT"[category]));
      }
      double value(qsizetype series, qsizetype category) const override {
        return series == 777'777 && category == 2 ? 1000 : double((series + category) % 10);
      }
      void forEachValue(qsizetype series,
                        const std::function<void(qsizetype, double)>& visit) const override {
        for (qsizetype c = 0; c < 4; ++c)
          if (value(series, c) != 0) visit(c, value(series, c));
      }
      double highest() const override { return 1000; }
    };
    BarChart chart;
    chart.setTable(std::make_shared<Many>());
    QCOMPARE(chart.seriesCount(), 1'000'000);
    QCOMPARE(chart.categories(), (QStringList{"A", "C", "G", "T"}));
    chart.setLegendVisible(true);
    const QImage image = chart.renderImage(QSize(600, 400));
    const BarChartAxes axes = chart.axesAt(QSize(600, 400));
    // The one high bar of series 777777 at G reaches the top, in its colour.
    const QColor high = chart.seriesColour(777'777);
    bool found = false;
    const int nearTop = int(axes.plot.top() + axes.plot.height() * 0.05);
    const double categoryWidth = axes.plot.width() / 4;
    for (int x = int(axes.plot.left() + 2 * categoryWidth);
         x < int(axes.plot.left() + 3 * categoryWidth); ++x)
      found = found || image.pixelColor(x, nearTop) == high;
    QVERIFY(found);
    chart.resize(600, 400);
    bool named = false;
    for (int x = int(axes.plot.left() + 2 * categoryWidth);
         x < int(axes.plot.left() + 3 * categoryWidth) && !named; ++x)
      named = chart.toolTipAt(QPointF(x + 0.5, axes.plot.bottom() - 2)) ==
              QStringLiteral("777777: G = 1000");
    QVERIFY(named);
    // Nothing else reaches above a hundredth of the axis.
    for (int x = int(axes.plot.left()) + 1; x < int(axes.plot.right()); ++x)
      if (x < int(axes.plot.left() + 2 * categoryWidth) ||
          x >= int(axes.plot.left() + 3 * categoryWidth))
        QCOMPARE(image.pixelColor(x, nearTop), QColor(Qt::white));
  }

  // The tool tip names the bar under the pointer; away from the bars it says nothing.
  void toolTipNamesTheBar() {
    BarChart chart;
    chart.resize(600, 400);
    fillCounts(chart);
    const BarChartAxes axes = chart.axesAt(chart.size());
    const double categoryWidth = axes.plot.width() / 4;
    const double y = axes.plot.bottom() - 2;
    // In category T (index 3) the first series' bar is in the left half of the group.
    const double groupLeft = axes.plot.left() + 3 * categoryWidth + categoryWidth * 0.1;
    QCOMPARE(chart.toolTipAt(QPointF(groupLeft + categoryWidth * 0.2, y)),
             QStringLiteral("seq1: T = 8"));
    QCOMPARE(chart.toolTipAt(QPointF(groupLeft + categoryWidth * 0.6, y)),
             QStringLiteral("seq2: T = 1"));
    QCOMPARE(chart.toolTipAt(QPointF(axes.plot.left() + 1, y)), QString());  // between groups
    QCOMPARE(chart.toolTipAt(QPointF(2, 2)), QString());                     // outside the plot
  }

  // Zoom works along the categories; reset shows them all; zoom out stops at all of them.
  void zoom() {
    BarChart chart;
    fillCounts(chart);
    QVERIFY(!chart.isZoomed());
    chart.zoomIn();
    QVERIFY(chart.isZoomed());
    QCOMPARE(chart.viewFirst(), 1.0);
    QCOMPARE(chart.viewLast(), 3.0);
    chart.zoomIn();
    QCOMPARE(chart.viewFirst(), 1.5);
    QCOMPARE(chart.viewLast(), 2.5);
    chart.zoomOut();
    QCOMPARE(chart.viewFirst(), 1.0);
    chart.zoomOut();
    QVERIFY(!chart.isZoomed());
    chart.zoomIn();
    chart.zoomReset();
    QVERIFY(!chart.isZoomed());
  }

  void commandBar() {
    QTemporaryDir dir;
    BarChart chart;
    chart.resize(600, 400);
    ChartCommandBar bar(&chart);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    fillCounts(chart);
    QStringList names;
    for (QAction* action : bar.actions())
      if (!action->isSeparator()) names << action->objectName();
    QCOMPARE(names,
             (QStringList{"acZoomIn", "acZoomOut", "acZoomReset", "acSave", "acCopy", "acPrint"}));
    bar.zoomInAction()->trigger();
    QVERIFY(chart.isZoomed());
    bar.resetAction()->trigger();
    QVERIFY(!chart.isZoomed());
    bar.zoomInAction()->trigger();
    bar.zoomInAction()->trigger();
    bar.zoomOutAction()->trigger();
    QVERIFY(chart.isZoomed());
    QCOMPARE(chart.viewLast() - chart.viewFirst(), 2.0);
    bar.resetAction()->trigger();
    FakeFileDialogs dialogs;
    dialogs.saveAsAnswers.push_back(duvanet::chart::FileDialogs::SaveChoice{
        dir.filePath("bars"), QStringLiteral("PNG image (*.png)")});
    bar.setFileDialogs(&dialogs);
    bar.saveAction()->trigger();
    QCOMPARE(dialogs.saveAsCaptions.size(), 1);
    const QImage saved(dir.filePath("bars.png"));
    QVERIFY(!saved.isNull());
    QVERIFY(pixelsOf(saved, chart.seriesColour(1)) > 100);
    QGuiApplication::clipboard()->clear();
    bar.copyAction()->trigger();
    QVERIFY(!QGuiApplication::clipboard()->image().isNull());
  }
};

DUVANET_TEST(TestBarChart)

}  // namespace duvanet::chart

#include "tst_BarChart.moc"
