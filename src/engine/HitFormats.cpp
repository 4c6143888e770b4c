#include "engine/HitFormats.h"

#include <cctype>

namespace duvanet::engine {

namespace {

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view tail = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i]) return false;
  }
  return true;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void put(std::string& out, std::int64_t value) { out += std::to_string(value); }

}  // namespace

std::optional<HitFileFormat> hitFileFormatOf(std::string_view fileName) {
  if (endsWithNoCase(fileName, ".tsv")) return HitFileFormat::Tsv;
  if (endsWithNoCase(fileName, ".paf")) return HitFileFormat::Paf;
  if (endsWithNoCase(fileName, ".bedpe")) return HitFileFormat::Bedpe;
  return std::nullopt;
}

std::string firstWordOf(std::string_view name, std::string_view fallback) {
  std::size_t begin = 0;
  while (begin < name.size() && isBlank(name[begin])) ++begin;
  std::size_t end = begin;
  while (end < name.size() && !isBlank(name[end])) ++end;
  if (end == begin) return std::string(fallback);
  return std::string(name.substr(begin, end - begin));
}

std::string hitFileHeader(HitFileFormat format) {
  if (format != HitFileFormat::Tsv) return {};
  return "pair\th_start\th_end\tv_start\tv_end\tcells\tbest\tmatches\n";
}

void appendHitLine(std::string& out, const HitSegment& s, const HitFileContext& context,
                   HitFileFormat format) {
  const char tab = '\t';
  switch (format) {
    case HitFileFormat::Tsv:
      out += strandPairName(s.pair);
      for (const std::int64_t value :
           {s.hStart, s.hEnd, s.vStart, s.vEnd, s.cells, std::int64_t{s.best}, s.matches}) {
        out += tab;
        put(out, value);
      }
      break;
    case HitFileFormat::Paf:
      out += context.verticalName;
      out += tab;
      put(out, context.verticalLength);
      out += tab;
      put(out, s.vStart - 1);
      out += tab;
      put(out, s.vEnd);
      out += tab;
      out += s.pair == StrandPair::Forward ? '+' : '-';
      out += tab;
      out += context.horizontalName;
      out += tab;
      put(out, context.horizontalLength);
      out += tab;
      put(out, s.hStart - 1);
      out += tab;
      put(out, s.hEnd);
      out += tab;
      put(out, s.matches);
      out += tab;
      put(out, s.cells + context.windowSize - 1);
      out += "\t255";
      break;
    case HitFileFormat::Bedpe:
      out += context.horizontalName;
      out += tab;
      put(out, s.hStart - 1);
      out += tab;
      put(out, s.hEnd);
      out += tab;
      out += context.verticalName;
      out += tab;
      put(out, s.vStart - 1);
      out += tab;
      put(out, s.vEnd);
      out += tab;
      out += strandPairName(s.pair);
      out += tab;
      put(out, s.best);
      out += "\t+\t";
      out += s.pair == StrandPair::Forward ? '+' : '-';
      break;
  }
  out += '\n';
}

}  // namespace duvanet::engine
