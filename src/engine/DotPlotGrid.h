#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace duvanet::engine {

/// A rectangle of cells in 0-based cell coordinates: cell (0, 0) is the window pair x = 1, y = 1.
struct CellRect {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;

  bool operator==(const CellRect&) const = default;
};

void* allocateGridBytes(std::size_t bytes);
void deallocateGridBytes(void* p, std::size_t bytes);

/// Allocates large blocks on 2 MiB boundaries and asks the system for huge pages, which makes
/// the first touch of a large exact grid many times cheaper; small blocks come from the heap.
template <typename T>
struct GridAllocator {
  using value_type = T;
  GridAllocator() = default;
  template <typename U>
  GridAllocator(const GridAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(allocateGridBytes(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { deallocateGridBytes(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const GridAllocator<U>&) const {
    return true;
  }
  /// Elements made without a value stay uninitialised (the grid asks for zeros explicitly when
  /// it needs them), so that the engine writes each count once.
  template <typename U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

using GridCounts = std::vector<std::uint16_t, GridAllocator<std::uint16_t>>;

/// The counts of a rectangle of cells. Exact: one bin per cell. Binned: the rectangle is divided
/// into binsX × binsY bins, bin column bx covering the cell columns
/// [x + floor(bx · width / binsX), x + floor((bx + 1) · width / binsX)) (rows alike), and each bin
/// holds the highest count of the cells it covers. Counts are stored row by row.
class DotPlotGrid {
 public:
  DotPlotGrid() = default;
  /// A grid of zero counts.
  DotPlotGrid(CellRect cells, int binsX, int binsY);
  struct Uninitialised {};
  /// A grid whose counts are left for the caller to write, every one of them.
  DotPlotGrid(CellRect cells, int binsX, int binsY, Uninitialised);

  const CellRect& cells() const { return m_cells; }
  int binsX() const { return m_binsX; }
  int binsY() const { return m_binsY; }
  bool isExact() const { return m_binsX == m_cells.width && m_binsY == m_cells.height; }
  bool isEmpty() const { return m_binsX == 0 || m_binsY == 0; }

  std::uint16_t at(int bx, int by) const {
    return m_counts[static_cast<std::size_t>(by) * static_cast<std::size_t>(m_binsX) +
                    static_cast<std::size_t>(bx)];
  }
  std::uint16_t* row(int by) {
    return m_counts.data() + static_cast<std::size_t>(by) * static_cast<std::size_t>(m_binsX);
  }
  const std::uint16_t* row(int by) const {
    return m_counts.data() + static_cast<std::size_t>(by) * static_cast<std::size_t>(m_binsX);
  }
  const GridCounts& counts() const { return m_counts; }

  /// First absolute cell column / row of a bin (bx == binsX gives the end of the rectangle).
  std::int64_t binCellX0(int bx) const { return m_cells.x + bx * m_cells.width / m_binsX; }
  std::int64_t binCellY0(int by) const { return m_cells.y + by * m_cells.height / m_binsY; }
  /// The bin column / row that holds an absolute cell column / row inside the rectangle.
  int binOfCellX(std::int64_t cellX) const;
  int binOfCellY(std::int64_t cellY) const;

 private:
  CellRect m_cells;
  int m_binsX = 0;
  int m_binsY = 0;
  GridCounts m_counts;
};

}  // namespace duvanet::engine
