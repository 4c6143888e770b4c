#pragma once

#include <QByteArray>
#include <QFile>
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

}  // namespace duvanet::testing
