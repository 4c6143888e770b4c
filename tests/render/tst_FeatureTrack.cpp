#include <QImage>
#include <QPainter>
#include <QTest>

#include "FeatureFixtures.h"
#include "TestRegistry.h"
#include "render/FeatureTrack.h"

using namespace duvanet::render;
using duvanet::core::FeatureLocationPart;
using duvanet::core::FeatureTable;
using duvanet::core::SequenceFeature;
using duvanet::testing::feature;
using duvanet::testing::trackOf;

namespace {

// A horizontal axis of 600 pixels from x = 100 over the values min..max.
AxisGeometry horizontalAxis(double min, double max, bool inverted = false) {
  AxisGeometry axis;
  axis.start = 100;
  axis.end = 700;
  axis.min = min;
  axis.max = max;
  axis.inverted = inverted;
  return axis;
}

const QColor kGene = featureClassColour(FeatureClass::Gene);
const QColor kCds = featureClassColour(FeatureClass::Cds);

}  // namespace

class TestFeatureTrack : public QObject {
  Q_OBJECT
 private slots:
  void typesHaveTheirColours_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("group");
    QTest::newRow("gene") << "gene" << int(FeatureClass::Gene);
    QTest::newRow("mRNA") << "mRNA" << int(FeatureClass::Transcript);
    QTest::newRow("transcript") << "transcript" << int(FeatureClass::Transcript);
    QTest::newRow("CDS") << "CDS" << int(FeatureClass::Cds);
    QTest::newRow("exon") << "exon" << int(FeatureClass::Exon);
    QTest::newRow("rRNA") << "rRNA" << int(FeatureClass::Rna);
    QTest::newRow("tRNA") << "tRNA" << int(FeatureClass::Rna);
    QTest::newRow("repeat_region") << "repeat_region" << int(FeatureClass::Repeat);
    QTest::newRow("mobile_element") << "mobile_element" << int(FeatureClass::Repeat);
    QTest::newRow("misc_feature") << "misc_feature" << int(FeatureClass::Other);
  }
  void typesHaveTheirColours() {
    QFETCH(QString, type);
    QFETCH(int, group);
    QCOMPARE(int(featureClass(type)), group);
    // Each group has a colour of its own.
    for (int other = 0; other <= int(FeatureClass::Other); ++other)
      if (other != group)
        QVERIFY(featureClassColour(FeatureClass(other)) != featureClassColour(FeatureClass(group)));
  }

  // Overlapping features go into rows of their own; past the last row they are the "+n"; the
  // whole record's "source" is left out.
  void packingIntoRows() {
    FeatureTable features{feature("source", {{1, 1000}}),       feature("gene", {{10, 100}}),
                          feature("gene", {{101, 200}}),        feature("mRNA", {{20, 90}}),
                          feature("CDS", {{30, 40}, {60, 80}}), feature("exon", {{35, 50}}),
                          feature("exon", {{45, 55}}),          feature("exon", {{150, 160}})};
    const FeatureTrack track(std::make_shared<const FeatureTable>(features));
    QCOMPARE(track.rowCount(), FeatureTrack::kMaxRows);
    QCOMPARE(track.rowOf(0), -1);  // source
    QCOMPARE(track.rowOf(1), 0);
    QCOMPARE(track.rowOf(2), 0);  // starts after the first gene ends
    QCOMPARE(track.rowOf(3), 1);
    QCOMPARE(track.rowOf(4), 2);
    QCOMPARE(track.rowOf(5), 3);
    QCOMPARE(track.rowOf(6), -1);  // overlaps rows 0 to 3: one of the "+n"
    QCOMPARE(track.rowOf(7), 1);
    const FeatureTrack::InView all = track.inView(horizontalAxis(1, 1001));
    QCOMPARE(all.inRows, qint64(6));
    QCOMPARE(all.hidden, qint64(1));
    QVERIFY(!all.density);
    // Only what reaches into the visible values counts: [120, 170) holds two.
    const FeatureTrack::InView part = track.inView(horizontalAxis(120, 170));
    QCOMPARE(part.inRows, qint64(2));
    QCOMPARE(part.hidden, qint64(0));
    // Position p covers [p, p + 1): the gene that ends at 100 is in view of [100, 101) alone,
    // the next one from 101 on; [90, 91) holds the first gene and the mRNA.
    QCOMPARE(track.inView(horizontalAxis(100, 101)).inRows, qint64(1));
    QCOMPARE(track.rowOf(1), 0);
    QCOMPARE(track.inView(horizontalAxis(100.5, 101.5)).inRows, qint64(2));
    QCOMPARE(track.inView(horizontalAxis(90, 91)).inRows, qint64(2));
    QVERIFY(FeatureTrack(std::make_shared<const FeatureTable>(FeatureTable{features[0]})).empty());
    QVERIFY(FeatureTrack(nullptr).empty());
  }

  // Thousands of features in a few hundred pixels are drawn as their density.
  void densityWhereFeaturesCrowd_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<bool>("density");
    QTest::newRow("whole") << 1.0 << 1000001.0 << true;
    QTest::newRow("a tenth") << 1.0 << 100001.0 << true;
    QTest::newRow("2,000 positions") << 5000.0 << 7000.0 << false;
  }
  void densityWhereFeaturesCrowd() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(bool, density);
    FeatureTable features;
    for (qint64 start = 1; start < 1000000; start += 100)
      features.push_back(feature("gene", {{start, start + 79}}));
    const FeatureTrack track(std::make_shared<const FeatureTable>(std::move(features)));
    const AxisGeometry axis = horizontalAxis(min, max);
    QCOMPARE(track.inView(axis).density, density);
    QImage image(800, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect band(100, 20, 600, track.thickness());
    track.draw(painter, axis, band);
    painter.end();
    int geneColoured = 0;
    int inked = 0;
    for (int x = band.left(); x <= band.right(); ++x)
      for (int y = band.top(); y <= band.bottom(); ++y) {
        if (image.pixelColor(x, y) == kGene) ++geneColoured;
        if (image.pixelColor(x, y) != Qt::white) ++inked;
      }
    QVERIFY(inked > 0);
    QCOMPARE(geneColoured > 0, !density);
    for (int y = 0; y < image.height(); ++y)  // nothing outside the band
      QCOMPARE(image.pixelColor(50, y), QColor(Qt::white));
  }

  // The feature under a pixel: within its row, along its parts (within two pixels); the line
  // between two parts is not a part.
  void featureUnderAPixel_data() {
    QTest::addColumn<bool>("inverted");
    QTest::newRow("left to right") << false;
    QTest::newRow("inverted") << true;
  }
  void featureUnderAPixel() {
    QFETCH(bool, inverted);
    const auto track = trackOf({feature("CDS", {{11, 20}, {41, 50}}), feature("gene", {{5, 60}})});
    const AxisGeometry axis = horizontalAxis(1, 101, inverted);  // 6 pixels a position
    const QRect band(100, 10, 600, track->thickness());
    const auto pixelOf = [&](double value) { return int(std::lround(valueToPixel(axis, value))); };
    const auto at = [&](int x, int y) {
      const auto found = track->featureAt(axis, band, QPoint(x, y));
      return found ? int(*found) : -1;
    };
    const int row0 = band.bottom() - FeatureTrack::kRowPixels / 2;
    const int row1 = row0 - FeatureTrack::kRowPixels;
    QCOMPARE(at(pixelOf(15.5), row1), 0);
    QCOMPARE(at(pixelOf(45.5), row1), 0);
    QCOMPARE(at(pixelOf(30.5), row1), -1);
    QCOMPARE(at(pixelOf(30.5), row0), 1);
    QCOMPARE(at(pixelOf(60.9), row0), 1);
    QCOMPARE(at(pixelOf(80.5), row0), -1);
    QCOMPARE(at(pixelOf(15.5), band.top() - 1), -1);
  }

  // Strand arrow heads point to the 3' end; a name shows inside the box where it fits.
  void arrowHeadsAndNames() {
    const auto track = trackOf(
        {feature("CDS", {{11, 60}}, true, QStringLiteral("abc")),
         feature("CDS", {{71, 72}}, true, QStringLiteral("a name far too long for its box"))});
    const AxisGeometry axis = horizontalAxis(1, 101);  // 6 pixels a position
    QImage image(800, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect band(100, 10, 600, track->thickness());
    track->draw(painter, axis, band);
    painter.end();
    const int top = band.bottom() + 1 - FeatureTrack::kRowPixels + 2;
    const int bottom = top + FeatureTrack::kRowPixels - 3;
    const int x0 = int(valueToPixel(axis, 11));
    const int x1 = int(valueToPixel(axis, 61)) - 1;
    // The start end is square, the 3' end pointed: its corners stay white, its middle is drawn.
    QCOMPARE(image.pixelColor(x0 + 1, top + 1), kCds);
    QCOMPARE(image.pixelColor(x1 - 1, top), QColor(Qt::white));
    QCOMPARE(image.pixelColor(x1 - 1, (top + bottom) / 2), kCds);
    // The name's white letters inside the wide box; the narrow box is plain.
    int letters = 0;
    for (int x = x0 + 2; x < x1 - 6; ++x)
      for (int y = top + 1; y < bottom; ++y)
        if (image.pixelColor(x, y).lightness() > 200) ++letters;
    QVERIFY(letters > 5);
    for (int x = int(valueToPixel(axis, 71)) + 1; x < int(valueToPixel(axis, 72)); ++x)
      QVERIFY(image.pixelColor(x, top + 3).lightness() < 200);
  }
};

DUVANET_TEST(TestFeatureTrack)
#include "tst_FeatureTrack.moc"
