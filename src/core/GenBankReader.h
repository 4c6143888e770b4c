#pragma once

#include <QString>

#include "core/FeatureTableReader.h"
#include "core/FlatFileReader.h"

namespace duvanet::core {

/// Reads GenBank (and GenPept) flat files: every record from its LOCUS line to its "//" line.
/// The name is the accession.version of the VERSION line (else the first ACCESSION, else the
/// LOCUS name), one blank and the DEFINITION without its final "."; the data are the symbols of
/// the ORIGIN section, case kept; the feature table is kept. Errors name the file and the line:
/// no LOCUS line where a record must begin, a record not ended by "//", a sequence line that is
/// not a number followed by groups of symbols, a feature that cannot be read.
class GenBankReader : public FlatFileReader {
 public:
  GenBankReader(const QString& fileName, AnnotatedRecordSink onRecord);
  void finish() override;

 protected:
  void line(QStringView text, qint64 number) override;

 private:
  enum class Section { Other, Definition, Features, Origin };
  void beginRecord(QStringView text, qint64 number);
  void endRecord();
  void sequenceLine(QStringView text, qint64 number);

  bool m_inRecord = false;
  bool m_anyRecord = false;
  qint64 m_recordLine = 0;
  Section m_section = Section::Other;
  QString m_locusName;
  QString m_accession;
  QString m_version;
  QString m_definition;
  FeatureTableReader m_features;
};

/// Reads a GenBank file (a ".gz" one decompressed) and hands on each record. Throws FileError,
/// or ReadCancelled when the monitor stops it.
void readGenBankFile(const QString& fileName, const AnnotatedRecordSink& onRecord,
                     ReadMonitor* monitor = nullptr);

}  // namespace duvanet::core
