#pragma once

#include <cstdint>
#include <vector>

#include "engine/Palette.h"

namespace duvanet::chart {

/// The palette settings of a colour grid; stored only, the caller builds the entries itself.
struct PaletteSettings {
  bool useColorRange = true;
  bool usePalette = false;
  int stepCount = 0;
  double step = 1.0;
  bool usePaletteMinimum = false;
  double minimum = 0.0;
};

/// The palette of a colour grid: entries of an upper bound and a colour, in ascending order of
/// their bounds. A value takes the first entry whose bound is greater; a value at or above the
/// last bound takes the last entry.
class ChartPalette {
 public:
  struct Entry {
    double upperBound = 0;
    engine::Rgb colour;
  };

  const PaletteSettings& settings() const { return m_settings; }
  void setSettings(const PaletteSettings& settings) { m_settings = settings; }

  void clear();
  /// Inserts before the first entry with a greater bound (after equal ones); returns its index.
  int addEntry(double upperBound, engine::Rgb colour);
  int count() const { return static_cast<int>(m_entries.size()); }
  const Entry& entry(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
  /// The colour of entry index; black for an index outside the palette.
  engine::Rgb colour(int index) const;
  /// Writes the colour of entry index; false (and nothing changes) outside the palette.
  bool setColour(int index, engine::Rgb colour);

  /// The entry a value takes; −1 when the palette is empty.
  int lookup(double value) const;

  /// Grows on every change, so that views can tell whether their colours are stale.
  std::uint64_t revision() const { return m_revision; }

 private:
  PaletteSettings m_settings;
  std::vector<Entry> m_entries;
  std::uint64_t m_revision = 0;
};

}  // namespace duvanet::chart
