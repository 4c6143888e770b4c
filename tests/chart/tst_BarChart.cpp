#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QGuiApplication>
#include <QLegend>
#include <QTemporaryDir>
#include <QTest>

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
    QBarSeries* series = chart.barSeries();
    QVERIFY(series);
    QCOMPARE(series->type(), QAbstractSeries::SeriesTypeBar);  // grouped, not stacked
    QCOMPARE(series->count(), 2);
    QCOMPARE(series->barSets().at(0)->label(), QStringLiteral("seq1"));
    QCOMPARE(series->barSets().at(1)->at(1), 7.0);
    QCOMPARE(series->barSets().at(0)->at(2), 0.0);
    QVERIFY(!series->isLabelsVisible());
    QVERIFY(series->barSets().at(0)->color() != series->barSets().at(1)->color());
    QCOMPARE(chart.stackGroup(1), 0);
  }

  void legendStartsHidden() {
    BarChart chart;
    fillCounts(chart);
    chart.rebuild();
    QVERIFY(!chart.legendVisible());
    QVERIFY(!chart.chart()->legend()->isVisible());
    chart.setLegendVisible(true);
    QVERIFY(chart.chart()->legend()->isVisible());
    fillCounts(chart);  // a rebuild keeps the setting
    chart.rebuild();
    QVERIFY(chart.chart()->legend()->isVisible());
  }

  void labelsAtSparseX() {
    BarChart chart;
    const int s = chart.createBarSeries();
    chart.addBarPoint(s, 5, 1, "X");
    chart.addBarPoint(s, 2, 4, "Y");
    const int t = chart.createBarSeries();
    chart.addBarPoint(t, 9, 2, "Z");
    QCOMPARE(chart.categories(), (QStringList{"Y", "X", "Z"}));
    QCOMPARE(chart.barSeries()->barSets().at(1)->at(2), 2.0);
    QCOMPARE(chart.barSeries()->barSets().at(1)->at(0), 0.0);
  }

  void removeAllSeriesEmpties() {
    BarChart chart;
    fillCounts(chart);
    chart.rebuild();
    chart.removeAllSeries();
    QCOMPARE(chart.seriesCount(), 0);
    QVERIFY(!chart.barSeries());
    QVERIFY(chart.chart()->series().isEmpty());
  }

  void drawsBothSeries() {
    BarChart chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    fillCounts(chart);
    const QImage image = chart.renderImage(QSize(600, 400));
    QBarSeries* series = chart.barSeries();
    QVERIFY(pixelsOf(image, series->barSets().at(0)->color()) > 200);
    QVERIFY(pixelsOf(image, series->barSets().at(1)->color()) > 200);
  }

  void commandBar() {
    QTemporaryDir dir;
    BarChart chart;
    chart.resize(600, 400);
    ChartCommandBar bar(&chart);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    fillCounts(chart);
    chart.rebuild();
    QStringList names;
    for (QAction* action : bar.actions())
      if (!action->isSeparator()) names << action->objectName();
    QCOMPARE(names,
             (QStringList{"acZoomIn", "acZoomOut", "acZoomReset", "acSave", "acCopy", "acPrint"}));
    bar.zoomInAction()->trigger();
    QVERIFY(chart.chart()->isZoomed());
    bar.resetAction()->trigger();
    QVERIFY(!chart.chart()->isZoomed());
    bar.zoomOutAction()->trigger();
    QVERIFY(chart.chart()->isZoomed());
    bar.resetAction()->trigger();
    FakeFileDialogs dialogs;
    dialogs.saveAsAnswers.push_back(duvanet::chart::FileDialogs::SaveChoice{
        dir.filePath("bars"), QStringLiteral("PNG image (*.png)")});
    bar.setFileDialogs(&dialogs);
    bar.saveAction()->trigger();
    QCOMPARE(dialogs.saveAsCaptions.size(), 1);
    const QImage saved(dir.filePath("bars.png"));
    QVERIFY(!saved.isNull());
    QVERIFY(pixelsOf(saved, chart.barSeries()->barSets().at(1)->color()) > 100);
    QGuiApplication::clipboard()->clear();
    bar.copyAction()->trigger();
    QVERIFY(!QGuiApplication::clipboard()->image().isNull());
  }
};

DUVANET_TEST(TestBarChart)

}  // namespace duvanet::chart

#include "tst_BarChart.moc"
