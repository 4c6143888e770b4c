#include "render/GridPng.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <new>

// A dot plot image is a few dozen colours at most, so the pixels are palette indexes packed as
// tightly as the palette allows: 13 levels of a 12-symbol window take 4 bits a pixel, an eighth
// of the 32-bit image a generic encoder would compress. The rows are left unfiltered (what the
// PNG format advises for palette images) and compressed in one go at a low level by libdeflate,
// which is several times faster than zlib at the same ratio.

namespace duvanet::render {

namespace {

// Low levels of libdeflate already find the long runs of black of a sparse plot; the higher
// ones take much longer for a few per cent.
constexpr int kCompressionLevel = 2;

void putBigEndian(QByteArray& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes, 4);
}

/// Appends a chunk: length, type, data and the CRC of type and data.
void putChunk(QByteArray& out, const char (&type)[5], const char* data, std::size_t size) {
  putBigEndian(out, static_cast<std::uint32_t>(size));
  const qsizetype typeAt = out.size();
  out.append(type, 4);
  if (size > 0) out.append(data, static_cast<qsizetype>(size));
  const auto* crcFrom = reinterpret_cast<const unsigned char*>(out.constData() + typeAt);
  putBigEndian(out, libdeflate_crc32(0, crcFrom, size + 4));
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

QByteArray gridPng(const engine::DotPlotGrid& grid, const std::vector<engine::Rgb>& colours) {
  if (grid.isEmpty() || colours.empty()) return {};
  try {
    const auto width = static_cast<std::size_t>(grid.binsX());
    const auto height = static_cast<std::size_t>(grid.binsY());

    // The distinct colours, and for each count the palette entry of its colour.
    std::vector<engine::Rgb> palette;
    std::vector<std::uint8_t> entryOf(colours.size());
    bool indexed = true;
    for (std::size_t c = 0; c < colours.size() && indexed; ++c) {
      const auto found = std::find(palette.begin(), palette.end(), colours[c]);
      if (found != palette.end()) {
        entryOf[c] = static_cast<std::uint8_t>(found - palette.begin());
      } else if (palette.size() == 256) {
        indexed = false;
      } else {
        entryOf[c] = static_cast<std::uint8_t>(palette.size());
        palette.push_back(colours[c]);
      }
    }
    const int depth = !indexed               ? 8
                      : palette.size() <= 2  ? 1
                      : palette.size() <= 4  ? 2
                      : palette.size() <= 16 ? 4
                                             : 8;
    const std::size_t rowBytes =
        indexed ? (width * static_cast<std::size_t>(depth) + 7) / 8 : width * 3;
    const std::size_t lastColour = colours.size() - 1;

    // The filtered image data: each row is the filter type 0 and the packed pixels.
    std::vector<std::uint8_t> raw((rowBytes + 1) * height);
    for (std::size_t y = 0; y < height; ++y) {
      std::uint8_t* out = raw.data() + y * (rowBytes + 1);
      *out++ = 0;
      const std::uint16_t* counts = grid.row(static_cast<int>(y));
      if (!indexed) {
        for (std::size_t x = 0; x < width; ++x) {
          const engine::Rgb& colour = colours[std::min<std::size_t>(counts[x], lastColour)];
          *out++ = colour.red;
          *out++ = colour.green;
          *out++ = colour.blue;
        }
        continue;
      }
      if (depth == 8) {
        for (std::size_t x = 0; x < width; ++x)
          out[x] = entryOf[std::min<std::size_t>(counts[x], lastColour)];
        continue;
      }
      // Pixels fill a byte from its most significant bits on; a last partial byte is padded
      // with zero bits.
      auto pack = [&]<int Depth>() {
        constexpr int kPerByte = 8 / Depth;
        std::size_t x = 0;
        for (std::size_t b = 0; b < rowBytes; ++b) {
          unsigned packedByte = 0;
          for (int k = 0; k < kPerByte; ++k, ++x) {
            packedByte <<= Depth;
            if (x < width) packedByte |= entryOf[std::min<std::size_t>(counts[x], lastColour)];
          }
          out[b] = static_cast<std::uint8_t>(packedByte);
        }
      };
      if (depth == 1) pack.template operator()<1>();
      if (depth == 2) pack.template operator()<2>();
      if (depth == 4) pack.template operator()<4>();
    }

    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(kCompressionLevel));
    if (!compressor) return {};
    std::vector<std::uint8_t> packed(libdeflate_zlib_compress_bound(compressor.get(), raw.size()));
    const std::size_t packedSize = libdeflate_zlib_compress(
        compressor.get(), raw.data(), raw.size(), packed.data(), packed.size());
    if (packedSize == 0) return {};
    raw = {};

    QByteArray png;
    png.reserve(static_cast<qsizetype>(packedSize + palette.size() * 3 + 128));
    png.append("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    // Bit depth, colour type (3 palette, 2 RGB), compression, filter method, no interlace.
    const char rest[5] = {static_cast<char>(depth), static_cast<char>(indexed ? 3 : 2), 0, 0, 0};
    header.append(rest, 5);
    putChunk(png, "IHDR", header.constData(), static_cast<std::size_t>(header.size()));
    if (indexed) {
      QByteArray entries;
      for (const engine::Rgb& colour : palette) {
        const char rgb[3] = {static_cast<char>(colour.red), static_cast<char>(colour.green),
                             static_cast<char>(colour.blue)};
        entries.append(rgb, 3);
      }
      putChunk(png, "PLTE", entries.constData(), static_cast<std::size_t>(entries.size()));
    }
    // Chunks hold at most 2^31 − 1 bytes; readers take the data of consecutive IDAT chunks as
    // one stream.
    constexpr std::size_t kMaxChunk = std::size_t{1} << 30;
    for (std::size_t at = 0; at < packedSize; at += kMaxChunk)
      putChunk(png, "IDAT", reinterpret_cast<const char*>(packed.data() + at),
               std::min(kMaxChunk, packedSize - at));
    putChunk(png, "IEND", nullptr, 0);
    return png;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace duvanet::render
