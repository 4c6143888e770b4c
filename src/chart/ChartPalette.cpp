#include "chart/ChartPalette.h"

#include <algorithm>

namespace duvanet::chart {

void ChartPalette::clear() {
  m_entries.clear();
  ++m_revision;
}

int ChartPalette::addEntry(double upperBound, engine::Rgb colour) {
  const auto at =
      std::upper_bound(m_entries.begin(), m_entries.end(), upperBound,
                       [](double bound, const Entry& entry) { return bound < entry.upperBound; });
  const auto inserted = m_entries.insert(at, Entry{upperBound, colour});
  ++m_revision;
  return static_cast<int>(inserted - m_entries.begin());
}

engine::Rgb ChartPalette::colour(int index) const {
  if (index < 0 || index >= count()) return {};
  return m_entries[static_cast<std::size_t>(index)].colour;
}

bool ChartPalette::setColour(int index, engine::Rgb colour) {
  if (index < 0 || index >= count()) return false;
  m_entries[static_cast<std::size_t>(index)].colour = colour;
  ++m_revision;
  return true;
}

int ChartPalette::lookup(double value) const {
  if (m_entries.empty()) return -1;
  const auto found =
      std::upper_bound(m_entries.begin(), m_entries.end(), value,
                       [](double v, const Entry& entry) { return v < entry.upperBound; });
  if (found == m_entries.end()) return count() - 1;
  return static_cast<int>(found - m_entries.begin());
}

}  // namespace duvanet::chart
