#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include "core/SequenceFeature.h"

namespace duvanet::core {

/// Writes features as GFF3 lines: one line per part, in the order of the parts, with the source
/// "duvanet", score ".", the strand of the part ("." for a feature on no strand), its phase where
/// known (for a CDS of a feature table computed from /codon_start and the part lengths), and the
/// attributes ID (shared by the parts; made up as "<type>_<n>" when the feature has none), Name
/// (the display name), Parent and the feature's other attributes, percent-encoded.
class Gff3Writer {
 public:
  /// "##gff-version 3"
  static QString header();
  /// The lines of one feature, each ended by LF. The seqid is the feature's own, or the given one
  /// for a feature of a feature table.
  QString featureLines(const SequenceFeature& feature, QStringView entrySeqid);

 private:
  QString makeId(const QString& type);
  qint64 m_made = 0;
  QSet<QString> m_used;
};

/// The first word of an entry's name: the seqid its annotations name it by.
QString entrySeqid(QStringView name);

}  // namespace duvanet::core
