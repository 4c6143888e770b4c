#pragma once

#include <QString>
#include <vector>

#include "core/SequenceList.h"
#include "engine/HitFormats.h"
#include "engine/HitSegments.h"

namespace duvanet::core {

/// The context of a hit file for two prepared sequences: their names' first words (UTF-8; the
/// words "horizontal" and "vertical" stand in for a name without any), lengths and the window.
engine::HitFileContext hitFileContext(const tSequence& horiz, const tSequence& verti,
                                      int windowSize);

/// Writes the segments in the format, through a QSaveFile: a failed write leaves an existing
/// file as it was. Throws FileError naming the file.
void writeHitFile(const QString& fileName, engine::HitFileFormat format,
                  const std::vector<engine::HitSegment>& segments,
                  const engine::HitFileContext& context);

}  // namespace duvanet::core
