#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <utility>
#include <vector>

namespace duvanet::core {

/// One stretch of a feature's location on its own sequence. Positions are 1-based and inclusive,
/// start <= end as written in the file; the strand comes from complement().
struct FeatureLocationPart {
  qint64 start = 0;
  qint64 end = 0;
  bool reverse = false;        ///< on the complementary strand
  bool startPartial = false;   ///< "<" at start: the feature begins before it
  bool endPartial = false;     ///< ">" at end: the feature goes on past it
  bool betweenBases = false;   ///< "start^end": a site between the two bases, none of them
  bool oneBaseWithin = false;  ///< "start.end": one base somewhere in start..end
  qint8 phase = -1;            ///< bases to skip before the first codon (0..2); -1 unknown

  /// The lowest and highest positions it touches; a site across the origin of a circular
  /// molecule ("70^1") touches its first base only.
  qint64 low() const { return start; }
  qint64 high() const { return end < start ? start : end; }

  bool operator==(const FeatureLocationPart&) const = default;
};

/// How the parts of a location belong together: one stretch, joined into one molecule
/// ("join"), or listed without a claim about their joining ("order", also "bond").
enum class LocationOperator { Single, Join, Order };

/// A parsed location: the parts in the feature's own order, 5' to 3' of the feature (so the
/// parts of complement(join(a,b)) come as b, then a, both reverse). Parts that point into
/// another record ("J00194.1:100..202") are left out.
struct FeatureLocation {
  LocationOperator kind = LocationOperator::Single;
  std::vector<FeatureLocationPart> parts;
};

/// A qualifier as "/name=value" or "/name" without a value; quotes taken off, "" read as ".
struct FeatureQualifier {
  QString name;
  QString value;
  bool hasValue = false;

  bool operator==(const FeatureQualifier&) const = default;
};

enum class FeatureStrand { None, Forward, Reverse };

/// One annotated feature: an entry of a GenBank or EMBL feature table, or a feature of a GFF3,
/// GTF or BED file (whose attributes are kept as qualifiers, ID, Name and Parent included).
struct SequenceFeature {
  QString seqid;        ///< the sequence as an annotation file names it; empty in a feature table
  QString key;          ///< the feature key or type: "gene", "CDS", "source", ...
  QString id;           ///< the identifier shared by its lines in an annotation file, else empty
  QStringList parents;  ///< the identifiers of the features it belongs to (mRNA -> gene)
  QString location;     ///< the location as written, line breaks and blanks removed
  LocationOperator kind = LocationOperator::Single;
  std::vector<FeatureLocationPart> parts;
  std::vector<FeatureQualifier> qualifiers;  ///< in file order
  bool stranded = true;  ///< false for a feature on no strand ("." in GFF3, GTF and BED)

  /// The value of the first qualifier of that name, if there is one.
  std::optional<QString> qualifier(QStringView name) const;
  /// Reverse when every part is on the complementary strand; None when not stranded.
  FeatureStrand strand() const;
  /// The name to show: Name, gene, gene_name, ID, locus_tag, label, product, note, then the key.
  QString displayName() const;
  /// The smallest start and largest end of the parts; {0, 0} without parts.
  std::pair<qint64, qint64> extent() const;
};

using FeatureTable = std::vector<SequenceFeature>;

/// Parses a location as GenBank and EMBL write it: single bases, ranges with "<" and ">",
/// "a^b", "a.b", complement(), join(), order(), bond(), and references into other records,
/// which are skipped. Blanks are ignored. Nothing for a location it cannot read.
std::optional<FeatureLocation> parseFeatureLocation(QStringView text);

}  // namespace duvanet::core
