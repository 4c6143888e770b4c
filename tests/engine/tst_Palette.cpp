#include <QTest>
#include <vector>

#include "TestRegistry.h"
#include "engine/Palette.h"

namespace duvanet::engine {

namespace {

std::vector<Rgb> greys(std::initializer_list<int> levels) {
  std::vector<Rgb> out;
  for (const int l : levels) {
    const auto c = static_cast<std::uint8_t>(l);
    out.push_back({c, c, c});
  }
  return out;
}

}  // namespace

class TestPalette : public QObject {
  Q_OBJECT

 private slots:
  void fullThumbsGrey() {
    // Thumbs 0 and 12 of 12: step 19, entry 0 black, a ramp from 38 to 228, entry 12 white.
    const auto palette = smoothGreyScale(0, 12, 12, ColourFamily::Grey);
    QCOMPARE(palette, greys({0, 38, 57, 76, 95, 114, 133, 152, 171, 190, 209, 228, 255}));
  }

  void innerThumbsGreen() {
    // Thumbs 4 and 8: step 51, entries 0 to 4 black, 102, 153, 204, then full green.
    const auto palette = smoothGreyScale(4, 8, 12, ColourFamily::Green);
    QCOMPARE(palette.size(), std::size_t{13});
    for (int i = 0; i <= 4; ++i) QCOMPARE(palette[static_cast<std::size_t>(i)], (Rgb{0, 0, 0}));
    QCOMPARE(palette[5], (Rgb{0, 102, 0}));
    QCOMPARE(palette[6], (Rgb{0, 153, 0}));
    QCOMPARE(palette[7], (Rgb{0, 204, 0}));
    for (int i = 8; i <= 12; ++i) QCOMPARE(palette[static_cast<std::size_t>(i)], (Rgb{0, 255, 0}));
  }

  // Equal thumbs: black below, the full colour from the thumb on; the upper rule wins at the
  // thumb itself.
  void equalThumbs_data() {
    QTest::addColumn<int>("thumb");
    QTest::newRow("at 0") << 0;
    QTest::newRow("at 5") << 5;
    QTest::newRow("at the top") << 12;
  }
  void equalThumbs() {
    QFETCH(int, thumb);
    const auto palette = smoothGreyScale(thumb, thumb, 12, ColourFamily::Red);
    for (int i = 0; i <= 12; ++i) {
      const Rgb expected = i < thumb ? Rgb{0, 0, 0} : Rgb{255, 0, 0};
      QCOMPARE(palette[static_cast<std::size_t>(i)], expected);
    }
  }

  // Thumbs one apart: no ramp entry, a hard step between them.
  void adjacentThumbs() {
    const auto palette = smoothGreyScale(3, 4, 6, ColourFamily::Grey);
    QCOMPARE(palette, greys({0, 0, 0, 0, 255, 255, 255}));
  }

  // The upper thumb below the lower one: the full colour wins wherever i ≥ Hi.
  void crossedThumbs() {
    const auto palette = smoothGreyScale(8, 3, 10, ColourFamily::Blue);
    for (int i = 0; i <= 10; ++i) {
      const Rgb expected = i >= 3 ? Rgb{0, 0, 255} : Rgb{0, 0, 0};
      QCOMPARE(palette[static_cast<std::size_t>(i)], expected);
    }
  }

  // Another family replaces every grey level L by the family's channel at L; black stays.
  void familiesShareTheLevels() {
    const auto grey = smoothGreyScale(2, 30, 36, ColourFamily::Grey);
    const auto blue = smoothGreyScale(2, 30, 36, ColourFamily::Blue);
    const auto red = smoothGreyScale(2, 30, 36, ColourFamily::Red);
    QCOMPARE(grey.size(), std::size_t{37});
    QCOMPARE(blue.size(), grey.size());
    for (std::size_t i = 0; i < grey.size(); ++i) {
      QCOMPARE(grey[i].red, grey[i].green);
      QCOMPARE(grey[i].red, grey[i].blue);
      QCOMPARE(blue[i], (Rgb{0, 0, grey[i].red}));
      QCOMPARE(red[i], (Rgb{grey[i].red, 0, 0}));
    }
    // Step 256 / 29 = 8: entry 3 has 8 · 2, entry 29 has 8 · 28, the last ramp level.
    QCOMPARE(int{grey[3].red}, 16);
    QCOMPARE(int{grey[29].red}, 224);
    QCOMPARE(int{grey[30].red}, 255);
  }

  // The largest scale (summed, both strands, window 1024) keeps every level below 256.
  void largestScale() {
    const auto palette = smoothGreyScale(0, 3072, 3072, ColourFamily::Grey);
    QCOMPARE(palette.size(), std::size_t{3073});
    QCOMPARE(int{palette[1].red}, 0);  // step 256 / 3073 = 0
    QCOMPARE(palette.back(), (Rgb{255, 255, 255}));
    const auto narrow = smoothGreyScale(0, 255, 3072, ColourFamily::Grey);
    // Step 1: the ramp runs from 2 up to 255 at entry 254, one below the upper thumb.
    QCOMPARE(int{narrow[1].red}, 2);
    QCOMPARE(int{narrow[254].red}, 255);
    QCOMPARE(narrow[255], (Rgb{255, 255, 255}));
  }

  void fullColours() {
    QCOMPARE(fullColour(ColourFamily::Grey), (Rgb{255, 255, 255}));
    QCOMPARE(fullColour(ColourFamily::Red), (Rgb{255, 0, 0}));
    QCOMPARE(fullColour(ColourFamily::Green), (Rgb{0, 255, 0}));
    QCOMPARE(fullColour(ColourFamily::Blue), (Rgb{0, 0, 255}));
  }
};

DUVANET_TEST(TestPalette)

}  // namespace duvanet::engine

#include "tst_Palette.moc"
