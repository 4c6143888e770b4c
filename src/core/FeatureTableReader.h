#pragma once

#include <QString>
#include <QStringView>
#include <functional>

#include "core/SequenceFeature.h"

namespace duvanet::core {

/// Builds a feature table from its lines as GenBank ("     gene            1..20") and EMBL
/// ("FT   gene            1..20") write them: a key in columns 6 to 20 starts a feature, its
/// location follows and may go on over further lines, then the qualifiers ("/name=value"), whose
/// values may go on as well; quoted values end at their closing quote.
class FeatureTableReader {
 public:
  /// Reports an error at a line; does not return.
  using Failure = std::function<void(qint64 lineNumber, const QString& what)>;

  explicit FeatureTableReader(Failure fail) : m_fail(std::move(fail)) {}

  /// One line of the table, with its five-character prefix ("     " or "FT   ").
  void line(QStringView text, qint64 number);
  /// Ends the table and hands it over; the reader is then empty again.
  FeatureTable take();

 private:
  void closeQualifier();
  void closeFeature();

  Failure m_fail;
  FeatureTable m_features;
  bool m_open = false;
  SequenceFeature m_feature;
  qint64 m_featureLine = 0;
  QString m_locationText;
  bool m_inQualifier = false;
  QString m_qualifierText;  // "/name=value" as far as read
  qint64 m_qualifierLine = 0;
};

}  // namespace duvanet::core
