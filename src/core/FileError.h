#pragma once

#include <QString>
#include <stdexcept>

#include "core/FileNames.h"

namespace duvanet::core {

/// The one error raised by file reading and writing: names the file and the reason.
class FileError : public std::runtime_error {
 public:
  enum class Operation { Read, Write };

  FileError(Operation operation, const QString& fileName, const QString& reason)
      : FileError(operation, fileName, reason, composeMessage(operation, fileName, reason)) {}

  Operation operation() const { return m_operation; }
  const QString& fileName() const { return m_fileName; }
  const QString& reason() const { return m_reason; }
  /// The whole message, e.g. Cannot read file "a.fas": No such file or directory
  const QString& message() const { return m_message; }

 private:
  FileError(Operation operation, const QString& fileName, const QString& reason,
            const QString& message)
      : std::runtime_error(message.toStdString()),
        m_operation(operation),
        m_fileName(fileName),
        m_reason(reason),
        m_message(message) {}

  static QString composeMessage(Operation operation, const QString& fileName,
                                const QString& reason) {
    const QString verb = operation == Operation::Read ? QStringLiteral("Cannot read file")
                                                      : QStringLiteral("Cannot write file");
    return QStringLiteral("%1 \"%2\": %3").arg(verb, displayFileName(fileName), reason);
  }

  Operation m_operation;
  QString m_fileName;
  QString m_reason;
  QString m_message;
};

}  // namespace duvanet::core
