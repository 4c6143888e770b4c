#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Whole-file helpers for tests that check the bytes a save wrote or feed a reader raw bytes.
namespace duvanet::testing {

inline QByteArray readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
  return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// The bytes as one gzip member (what gzip writes), made with zlib.
QByteArray gzipped(const QByteArray& bytes, int level = 6);

/// One gzip member per piece, one after the other, as BGZF files hold them.
inline QByteArray gzipMembers(const QList<QByteArray>& pieces) {
  QByteArray result;
  for (const QByteArray& piece : pieces) result += gzipped(piece);
  return result;
}

}  // namespace duvanet::testing
