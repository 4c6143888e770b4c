#pragma once

#include <QString>
#include <QStringView>

namespace duvanet::core {

/// Upper case of every UTF-16 code unit on its own (QChar::toUpper): the length never changes,
/// so positions stay valid (QString::toUpper would turn one ß into SS).
QString toUpperPerCodeUnit(QStringView text);

/// Lower case of every UTF-16 code unit on its own (QChar::toLower); the length never changes.
QString toLowerPerCodeUnit(QStringView text);

/// The same mappings, in place.
void makeUpperPerCodeUnit(QString& text);
void makeLowerPerCodeUnit(QString& text);

}  // namespace duvanet::core
