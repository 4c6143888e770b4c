#pragma once

#include <QCoreApplication>
#include <QString>

// Names the application for as long as it lives and restores the old name afterwards, so that a
// test can compare captions built from the program's title with fixed texts.
class ScopedApplicationName {
 public:
  explicit ScopedApplicationName(const QString& name)
      : m_previous(QCoreApplication::applicationName()) {
    QCoreApplication::setApplicationName(name);
  }
  ~ScopedApplicationName() { QCoreApplication::setApplicationName(m_previous); }
  ScopedApplicationName(const ScopedApplicationName&) = delete;
  ScopedApplicationName& operator=(const ScopedApplicationName&) = delete;

 private:
  QString m_previous;
};
