#include "core/ComparedStretches.h"

#include "core/Fasta.h"

namespace duvanet::core {

namespace {

QString record(const QString& name, const char* strand, qint64 start, qint64 length,
               const QString& data) {
  const QString header = QStringLiteral("%1 %2 %3-%4")
                             .arg(name, QLatin1String(strand))
                             .arg(start + 1)
                             .arg(start + length);
  return fastaHeaderLine(header) + QLatin1Char('\n') +
         data.mid(static_cast<qsizetype>(start), static_cast<qsizetype>(length)) +
         QLatin1Char('\n');
}

}  // namespace

QString comparedStretchesFasta(const ComparedStrands& s, qint64 h, qint64 v) {
  const qint64 w = s.windowSize;
  const qint64 lh = s.horiz.Data.size();
  const qint64 lv = s.verti.Data.size();
  if (w < 1 || h < 0 || v < 0 || h > lh - w || v > lv - w) return {};
  const engine::StrandSet set = engine::strandSetOf(s.plotType);
  const char* opposite = engine::isDnaType(s.plotType) ? "reverse complement" : "reverted";
  QString out = record(s.horiz.Name, "forward", h, w, s.horiz.Data) +
                record(s.verti.Name, "forward", v, w, s.verti.Data);
  // The opposite windows: the images of the same stretches, read on the opposite strands.
  if (set == engine::StrandSet::HorizRev || set == engine::StrandSet::BothRev) {
    out += record(s.horizRev.Name, opposite, lh - h - w, w, s.horizRev.Data);
  }
  if (set == engine::StrandSet::VertiRev || set == engine::StrandSet::BothRev) {
    out += record(s.vertiRev.Name, opposite, lv - v - w, w, s.vertiRev.Data);
  }
  return out;
}

}  // namespace duvanet::core
