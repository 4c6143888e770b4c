#pragma once

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <vector>

#include "core/SequenceList.h"
#include "core/TextFile.h"

namespace duvanet::core {

/// Builds FASTA records from lines: a line beginning with ">" starts a record named by the rest of
/// the line; inside a record empty lines are skipped, lines beginning with ";" are comments and
/// every other line is appended to the data as it stands. Lines before the first header are
/// ignored.
class FastaReader : public TextLineSink {
 public:
  void linePart(QStringView part) override;
  void lineEnd() override;
  /// The records read so far, the last one included; the reader starts afresh.
  std::vector<tSequence> takeRecords();

 private:
  enum class LineKind { NotStarted, Header, Data, Skipped };
  void closeRecord();

  std::vector<tSequence> m_records;
  tSequence m_current;
  bool m_recordOpen = false;
  LineKind m_line = LineKind::NotStarted;
};

/// The records of a FASTA text.
std::vector<tSequence> parseFasta(QStringView text);

/// The records of a FASTA file. Throws FileError.
std::vector<tSequence> readFastaFile(const QString& fileName);

/// A TXT file as one sequence: named after the file (without its directory), the text's lines
/// each followed by CR LF. Throws FileError.
tSequence readTxtFile(const QString& fileName);

/// The header line of a record: ">" and the name; a name that begins with ">" is used as it is.
QString fastaHeaderLine(const QString& name);

/// True when the file name's extension (from the last "." of its last component) equals one of the
/// given ones, compared without regard to case.
bool hasExtension(const QString& fileName, std::initializer_list<QStringView> extensions);

/// True for the names that are read as FASTA: ".fas" and ".fasta" in any case.
bool isFastaFileName(const QString& fileName);

}  // namespace duvanet::core
