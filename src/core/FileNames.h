#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace duvanet::core {

/// A file name given as bytes (a command-line argument) as text that keeps every byte: UTF-8
/// where the bytes are UTF-8, and each other byte b as the code point U+DC00 + b, which no valid
/// text holds, so that fileNameBytes() gives the original bytes back.
QString fileNameFromBytes(QByteArrayView bytes);

/// The bytes that name the file on the system: the kept bytes as they were, the rest as UTF-8.
QByteArray fileNameBytes(const QString& fileName);

/// True when the name holds bytes that are not UTF-8 (kept by fileNameFromBytes).
bool holdsRawBytes(const QString& fileName);

/// The name as it is shown to the user: kept bytes read as Windows-1252, as the contents of a
/// file that is not UTF-8 are read.
QString displayFileName(const QString& fileName);

/// Opens a file for reading by the bytes its name stands for. Returns an empty text on success,
/// otherwise the system's reason.
QString openForReading(QFile& file, const QString& fileName, QIODevice::OpenMode extra = {});

}  // namespace duvanet::core
