#include "core/HitFile.h"

#include <QSaveFile>
#include <string>

#include "core/FileError.h"

namespace duvanet::core {

engine::HitFileContext hitFileContext(const tSequence& horiz, const tSequence& verti,
                                      int windowSize) {
  return {engine::firstWordOf(horiz.Name.toStdString(), "horizontal"),
          engine::firstWordOf(verti.Name.toStdString(), "vertical"), horiz.Data.size(),
          verti.Data.size(), windowSize};
}

void writeHitFile(const QString& fileName, engine::HitFileFormat format,
                  const std::vector<engine::HitSegment>& segments,
                  const engine::HitFileContext& context) {
  QSaveFile file(fileName);
  const auto fail = [&] {
    throw FileError(FileError::Operation::Write, fileName, file.errorString());
  };
  if (!file.open(QIODevice::WriteOnly)) fail();
  std::string buffer = engine::hitFileHeader(format);
  const auto flush = [&] {
    if (file.write(buffer.data(), static_cast<qint64>(buffer.size())) !=
        static_cast<qint64>(buffer.size())) {
      fail();
    }
    buffer.clear();
  };
  for (const engine::HitSegment& segment : segments) {
    engine::appendHitLine(buffer, segment, context, format);
    if (buffer.size() >= (std::size_t{1} << 20)) flush();
  }
  flush();
  if (!file.commit()) fail();
}

}  // namespace duvanet::core
