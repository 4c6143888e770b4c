#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <initializer_list>

#include "core/SequenceList.h"
#include "core/TextFile.h"

namespace duvanet::core {

/// Builds FASTA records from lines: a line beginning with ">" starts a record named by the rest of
/// the line; inside a record empty lines are skipped, lines beginning with ";" are comments and
/// every other line is appended to the data as it stands. Lines before the first header are
/// ignored.
class FastaReader : public TextLineSink {
 public:
  /// Receives each record as soon as it is complete.
  using RecordSink = std::function<void(tSequence&& record)>;

  explicit FastaReader(RecordSink onRecord) : m_onRecord(std::move(onRecord)) {}
  void linePart(QStringView part) override;
  void lineEnd() override;
  /// Hands on the last record; call after the last line.
  void finish();

 private:
  enum class LineKind { NotStarted, Header, Data, Skipped };
  void closeRecord();

  RecordSink m_onRecord;
  tSequence m_current;
  bool m_recordOpen = false;
  LineKind m_line = LineKind::NotStarted;
};

/// Reads the records of a FASTA text / file and hands each to onRecord. readFastaFile throws
/// FileError, or ReadCancelled when the monitor stops it.
void parseFasta(QStringView text, const FastaReader::RecordSink& onRecord);
void readFastaFile(const QString& fileName, const FastaReader::RecordSink& onRecord,
                   ReadMonitor* monitor = nullptr);

/// A TXT file as one sequence: named after the file (without its directory), the text's lines
/// each followed by CR LF. Throws FileError, or ReadCancelled when the monitor stops it.
tSequence readTxtFile(const QString& fileName, ReadMonitor* monitor = nullptr);

/// The header line of a record: ">" and the name; a name that begins with ">" is used as it is.
/// CR and LF in the name are written as blanks, so that the line stays one line.
QString fastaHeaderLine(QStringView name);

/// True when the file name's extension (from the last "." of its last component) equals one of the
/// given ones, compared without regard to case.
bool hasExtension(const QString& fileName, std::initializer_list<QStringView> extensions);

}  // namespace duvanet::core
