#pragma once

#include <QString>
#include <QStringView>
#include <optional>
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

/// One entry of a GenBank or EMBL feature table.
struct SequenceFeature {
  QString key;       ///< the feature key: "gene", "CDS", "source", ...
  QString location;  ///< the location as written, line breaks and blanks removed
  LocationOperator kind = LocationOperator::Single;
  std::vector<FeatureLocationPart> parts;
  std::vector<FeatureQualifier> qualifiers;  ///< in file order

  /// The value of the first qualifier of that name, if there is one.
  std::optional<QString> qualifier(QStringView name) const;
};

using FeatureTable = std::vector<SequenceFeature>;

/// Parses a location as GenBank and EMBL write it: single bases, ranges with "<" and ">",
/// "a^b", "a.b", complement(), join(), order(), bond(), and references into other records,
/// which are skipped. Blanks are ignored. Nothing for a location it cannot read.
std::optional<FeatureLocation> parseFeatureLocation(QStringView text);

}  // namespace duvanet::core
