#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/HitSegments.h"

namespace duvanet::engine {

/// The files hit segments are written to, chosen by the output's extension.
enum class HitFileFormat { Tsv, Paf, Bedpe };

/// The format of a file name ending in .tsv, .paf or .bedpe (any case); nothing otherwise.
std::optional<HitFileFormat> hitFileFormatOf(std::string_view fileName);

/// What the lines name besides the segments: each sequence by the first word of its name
/// (UTF-8), the lengths and the window.
struct HitFileContext {
  std::string horizontalName;
  std::string verticalName;
  std::int64_t horizontalLength = 0;
  std::int64_t verticalLength = 0;
  int windowSize = 0;
};

/// The first blank-separated word of a name (UTF-8), or the fallback when it has none, so that
/// the PAF and BEDPE columns are never empty.
std::string firstWordOf(std::string_view name, std::string_view fallback);

/// The header line of a TSV file ("pair\th_start…\n"); PAF and BEDPE have none.
std::string hitFileHeader(HitFileFormat format);

/// Appends one segment's line, ended by LF: TSV as the header says; PAF with the vertical
/// sequence as the query and the horizontal one as the target; BEDPE with 0-based starts.
void appendHitLine(std::string& out, const HitSegment& segment, const HitFileContext& context,
                   HitFileFormat format);

}  // namespace duvanet::engine
