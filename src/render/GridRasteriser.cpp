#include "render/GridRasteriser.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/WorkerPool.h"

namespace duvanet::render {

void pixelCounts(const engine::DotPlotGrid* grid, const engine::DotPlotGrid* detail,
                 const GridView& view, std::vector<std::uint16_t>& out) {
  const QRect& plot = view.plot;
  const int width = plot.width(), height = plot.height();
  out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  if (!grid || grid->isEmpty() || width <= 0 || height <= 0) return;

  const AxisGeometry& gx = view.columns;
  const AxisGeometry& gy = view.rows;
  // The cells under a pixel: where cells are wider than pixels, the cell at the pixel's own
  // coordinate (as a mouse conversion gives it); otherwise every cell the pixel touches.
  const auto cellsOf = [](const AxisGeometry& g, int pixel) {
    const double a = render::pixelToValue(g, pixel), b = render::pixelToValue(g, pixel + 1);
    CellSpan span;
    if (std::abs(b - a) < 1) {
      span.first = static_cast<std::int64_t>(std::floor(a));
      span.last = span.first + 1;
    } else {
      span = cellsBetween(a, b);
    }
    return CellSpan{span.first - 1, span.last - 1};  // axis value v is cell v − 1
  };
  std::vector<CellSpan> columns(static_cast<std::size_t>(width));
  std::vector<CellSpan> rows(static_cast<std::size_t>(height));
  for (int px = 0; px < width; ++px) columns[px] = cellsOf(gx, plot.left() + px);
  for (int py = 0; py < height; ++py) rows[py] = cellsOf(gy, plot.top() + py);

  // Use the exact region grid when it covers every cell in view.
  const engine::DotPlotGrid* source = grid;
  if (detail) {
    std::int64_t cx0 = std::numeric_limits<std::int64_t>::max(),
                 cx1 = std::numeric_limits<std::int64_t>::min();
    std::int64_t cy0 = cx0, cy1 = cx1;
    const engine::CellRect& all = grid->cells();
    for (const CellSpan& s : columns) {
      cx0 = std::min(cx0, std::max(s.first, all.x));
      cx1 = std::max(cx1, std::min(s.last, all.x + all.width));
    }
    for (const CellSpan& s : rows) {
      cy0 = std::min(cy0, std::max(s.first, all.y));
      cy1 = std::max(cy1, std::min(s.last, all.y + all.height));
    }
    const engine::CellRect& d = detail->cells();
    if (d.x <= cx0 && d.y <= cy0 && d.x + d.width >= cx1 && d.y + d.height >= cy1) source = detail;
  }
  const engine::CellRect& cells = source->cells();
  // Bin ranges per pixel column and row; first >= last marks a pixel outside the cells.
  const auto toBins = [](const CellSpan& s, std::int64_t start, std::int64_t size, auto binOf) {
    const std::int64_t first = std::max(s.first, start), last = std::min(s.last, start + size);
    if (first >= last) return CellSpan{0, 0};
    return CellSpan{binOf(first), binOf(last - 1) + 1};
  };
  for (CellSpan& s : columns)
    s = toBins(s, cells.x, cells.width, [source](std::int64_t c) { return source->binOfCellX(c); });
  for (CellSpan& s : rows)
    s = toBins(s, cells.y, cells.height,
               [source](std::int64_t c) { return source->binOfCellY(c); });

  // Rows of pixels in bands, each band on a thread of its own for large views. Per pixel row:
  // the highest value of each bin column over the pixel's bin rows (a vectorisable pass over
  // contiguous memory), then the highest over each pixel's bin columns.
  std::int64_t binLo = std::numeric_limits<std::int64_t>::max(), binHi = 0;
  for (const CellSpan& c : columns) {
    if (c.first >= c.last) continue;
    binLo = std::min(binLo, c.first);
    binHi = std::max(binHi, c.last);
  }
  if (binHi <= binLo) return;
  const std::size_t span = static_cast<std::size_t>(binHi - binLo);
  std::int64_t work = 0;
  for (const CellSpan& r : rows) work += r.last - r.first;
  work *= static_cast<std::int64_t>(span);
  const auto band = [&](int rowFrom, int rowTo) {
    std::vector<std::uint16_t> columnMax(span);
    const CellSpan* previous = nullptr;
    for (int py = rowFrom; py < rowTo; ++py) {
      const CellSpan& rowSpan = rows[py];
      std::uint16_t* dst = out.data() + static_cast<std::size_t>(py) * width;
      if (rowSpan.first >= rowSpan.last) continue;
      if (previous && previous->first == rowSpan.first && previous->last == rowSpan.last) {
        std::copy_n(dst - width, width, dst);
        continue;
      }
      previous = &rowSpan;
      std::uint16_t* columnMaxData = columnMax.data();
      {
        const std::uint16_t* src = source->row(static_cast<int>(rowSpan.first)) + binLo;
        for (std::size_t b = 0; b < span; ++b)
          columnMaxData[b] = static_cast<std::uint16_t>(src[b] + 1);
      }
      for (std::int64_t r = rowSpan.first + 1; r < rowSpan.last; ++r) {
        const std::uint16_t* src = source->row(static_cast<int>(r)) + binLo;
        for (std::size_t b = 0; b < span; ++b) {
          const auto value = static_cast<std::uint16_t>(src[b] + 1);
          columnMaxData[b] = value > columnMaxData[b] ? value : columnMaxData[b];
        }
      }
      for (int px = 0; px < width; ++px) {
        const CellSpan& c = columns[px];
        std::uint16_t highest = 0;
        for (std::int64_t b = c.first; b < c.last; ++b)
          highest = std::max(highest, columnMaxData[b - binLo]);
        dst[px] = highest;
      }
    }
  };
  if (work < 2'000'000 || height < 4) {
    band(0, height);
  } else {
    // Two bands, split at a change of bin rows so that the copy of an equal row stays inside a
    // band.
    int split = height / 2;
    while (split < height - 1 && rows[split].first == rows[split - 1].first &&
           rows[split].last == rows[split - 1].last)
      ++split;
    const int bounds[3] = {0, split, height};
    engine::runOnWorkers(2, 2, 0, {},
                         [&](std::int64_t first, std::int64_t last, engine::WorkerShared&) {
                           for (std::int64_t b = first; b < last; ++b)
                             band(bounds[b], bounds[b + 1]);
                         });
  }
}

void colourPixels(const std::vector<std::uint16_t>& counts, QSize size,
                  const std::vector<QRgb>& colours, QImage& image) {
  if (image.size() != size || image.format() != QImage::Format_RGB32) {
    image = QImage(size, QImage::Format_RGB32);
  }
  const std::size_t last = colours.size() - 1;
  const std::uint16_t* data = counts.data();
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint16_t* row = data + static_cast<std::size_t>(y) * size.width();
    for (int x = 0; x < size.width(); ++x) line[x] = colours[std::min<std::size_t>(row[x], last)];
  }
}

const QImage& GridRasteriser::image(const engine::DotPlotGrid* grid,
                                    const engine::DotPlotGrid* detail, const GridView& view,
                                    std::vector<QRgb> colours) {
  const QSize size = view.plot.size();
  if (!m_countsValid || m_countsSize != size) {
    pixelCounts(grid, detail, view, m_counts);
    m_countsSize = size;
    m_countsValid = true;
    m_imageValid = false;
  }
  if (!m_imageValid || colours != m_colours || m_image.size() != size) {
    colourPixels(m_counts, size, colours, m_image);
    m_colours = std::move(colours);
    m_imageValid = true;
  }
  return m_image;
}

}  // namespace duvanet::render
