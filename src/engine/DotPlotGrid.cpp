#include "engine/DotPlotGrid.h"

#include <algorithm>

namespace duvanet::engine {

DotPlotGrid::DotPlotGrid(CellRect cells, int binsX, int binsY)
    : DotPlotGrid(cells, binsX, binsY, Uninitialised{}) {
  std::fill(m_counts.begin(), m_counts.end(), std::uint16_t{0});
}

DotPlotGrid::DotPlotGrid(CellRect cells, int binsX, int binsY, Uninitialised)
    : m_cells(cells), m_binsX(binsX > 0 ? binsX : 0), m_binsY(binsY > 0 ? binsY : 0) {
  if (m_cells.width <= 0 || m_cells.height <= 0) {
    m_binsX = 0;
    m_binsY = 0;
  }
  m_counts.resize(static_cast<std::size_t>(m_binsX) * static_cast<std::size_t>(m_binsY));
}

// Bin bx covers [floor(bx·w/B), floor((bx+1)·w/B)); the last bin whose start is at most c is
// the largest bx with bx·w < (c+1)·B.
int DotPlotGrid::binOfCellX(std::int64_t cellX) const {
  const std::int64_t c = cellX - m_cells.x;
  return static_cast<int>(((c + 1) * m_binsX - 1) / m_cells.width);
}

int DotPlotGrid::binOfCellY(std::int64_t cellY) const {
  const std::int64_t c = cellY - m_cells.y;
  return static_cast<int>(((c + 1) * m_binsY - 1) / m_cells.height);
}

}  // namespace duvanet::engine

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdlib>
#include <new>

namespace duvanet::engine {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = std::size_t{4} << 20;
}  // namespace

void* allocateGridBytes(std::size_t bytes) {
  if (bytes < kLargeBlock) return ::operator new(bytes);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without huge pages the block still works
#endif
  return p;
}

void deallocateGridBytes(void* p, std::size_t bytes) {
  if (bytes < kLargeBlock) {
    ::operator delete(p);
  } else {
    std::free(p);
  }
}

}  // namespace duvanet::engine
