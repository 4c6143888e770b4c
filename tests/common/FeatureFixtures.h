#pragma once

#include <QString>
#include <initializer_list>
#include <memory>
#include <utility>

#include "core/SequenceFeature.h"
#include "render/FeatureTrack.h"

namespace duvanet::testing {

/// A feature of the given type over the given parts (1-based, inclusive), named when a name is
/// given.
inline core::SequenceFeature feature(const QString& type,
                                     std::initializer_list<std::pair<qint64, qint64>> parts,
                                     bool stranded = false, const QString& name = QString()) {
  core::SequenceFeature result;
  result.key = type;
  result.stranded = stranded;
  for (const auto& [start, end] : parts) {
    core::FeatureLocationPart part;
    part.start = start;
    part.end = end;
    result.parts.push_back(part);
  }
  if (!name.isEmpty()) result.qualifiers.push_back({QStringLiteral("Name"), name, true});
  return result;
}

/// The track of these features.
inline std::shared_ptr<const render::FeatureTrack> trackOf(core::FeatureTable features) {
  return std::make_shared<const render::FeatureTrack>(
      std::make_shared<const core::FeatureTable>(std::move(features)));
}

}  // namespace duvanet::testing
