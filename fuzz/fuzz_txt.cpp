// The TXT reader and the file path of the FASTA reader: the bytes are written to a scratch file
// and read back through the real file reading; the result must equal the decoded text cut into
// lines, each followed by CR LF, and the FASTA records of the decoded text. Saving the sequence
// as a TXT file and reading it again must give the same data.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "FuzzSupport.h"
#include "core/Fasta.h"
#include "core/FileError.h"
#include "core/SequenceList.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

QString scratchDir() {
  static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/duvanet-fuzz-txt-XXXXXX"));
  return dir.path();
}

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString fileName = scratchDir() + QStringLiteral("/input.txt");
  {
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size(), "scratch write");
  }

  const QString text = decodeText(bytes);
  QString expected;
  for (const QString& line : referenceLines(text)) expected += line + QStringLiteral("\r\n");

  const tSequence sequence = readTxtFile(fileName);
  FUZZ_CHECK(sequence.Name == QStringLiteral("input.txt"), "named after the file");
  FUZZ_CHECK(sequence.Data == expected, "TXT data");

  std::vector<tSequence> fromFile;
  readFastaFile(fileName, [&](tSequence&& record) { fromFile.push_back(std::move(record)); });
  std::vector<tSequence> fromText;
  parseFasta(text, [&](tSequence&& record) { fromText.push_back(std::move(record)); });
  FUZZ_CHECK(fromFile.size() == fromText.size(), "FASTA record count");
  for (std::size_t i = 0; i < fromFile.size(); ++i)
    FUZZ_CHECK(fromFile[i].Name == fromText[i].Name && fromFile[i].Data == fromText[i].Data,
               "FASTA record");

  // Saving writes UTF-8 (with a mark only in front of a leading U+FEFF): what comes back is the
  // same, except that lone surrogates cannot be written.
  tSequenceList list;
  const int index = list.AddSequence();
  FUZZ_CHECK(list.SetSequence(index, sequence), "set");
  const QString saved = scratchDir() + QStringLiteral("/saved.txt");
  QFile::remove(saved);
  FUZZ_CHECK(list.SaveSequenceAsTXTFile(saved, index, nullptr), "save");
  const tSequence again = readTxtFile(saved);
  if (QString::fromUtf8(sequence.Data.toUtf8()) == sequence.Data)
    FUZZ_CHECK(again.Data == sequence.Data, "saved and read again");
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}
