#pragma once

#include <QString>

#include "core/FeatureTableReader.h"
#include "core/FlatFileReader.h"

namespace duvanet::core {

/// Reads EMBL flat files: every record from its ID line to its "//" line. The name is the
/// primary accession (the first of the first AC line) with ".n" from the ID line's "SV n" (else
/// the accession.version of an SV line; without an AC line the ID line's first word), one blank
/// and the DE lines joined, without a final "."; the data are the symbols of the SQ section; the
/// FT lines are kept as the feature table. Errors name the file and the line, as for GenBank.
class EmblReader : public FlatFileReader {
 public:
  EmblReader(const QString& fileName, AnnotatedRecordSink onRecord);
  void finish() override;

 protected:
  void line(QStringView text, qint64 number) override;

 private:
  void beginRecord(QStringView text, qint64 number);
  void endRecord();
  void sequenceLine(QStringView text, qint64 number);

  bool m_inRecord = false;
  bool m_anyRecord = false;
  bool m_inSequence = false;
  qint64 m_recordLine = 0;
  QString m_idName;
  QString m_idVersion;
  QString m_accession;
  bool m_accessionSeen = false;
  QString m_svLine;
  QString m_description;
  FeatureTableReader m_features;
};

/// Reads an EMBL file (a ".gz" one decompressed) and hands on each record. Throws FileError,
/// or ReadCancelled when the monitor stops it.
void readEmblFile(const QString& fileName, const AnnotatedRecordSink& onRecord,
                  ReadMonitor* monitor = nullptr);

}  // namespace duvanet::core
