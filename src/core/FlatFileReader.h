#pragma once

#include <QString>
#include <QStringView>
#include <functional>

#include "core/SequenceFeature.h"
#include "core/TextFile.h"

namespace duvanet::core {

/// A sequence read from an annotated file: its name, its symbols and its feature table.
struct AnnotatedRecord {
  QString name;
  QString data;
  FeatureTable features;
};

using AnnotatedRecordSink = std::function<void(AnnotatedRecord&& record)>;

/// The common ground of the GenBank and EMBL readers: whole, numbered lines from the line
/// splitter, the errors that name the file and the line, and the sequence data of a record
/// grown in place.
class FlatFileReader : public TextLineSink {
 public:
  FlatFileReader(const QString& fileName, AnnotatedRecordSink onRecord);
  void linePart(QStringView part) final;
  void lineEnd() final;
  /// Call after the last line: checks that the last record was ended.
  virtual void finish() = 0;

 protected:
  /// One line, without its line break; numbers count from 1.
  virtual void line(QStringView text, qint64 number) = 0;

  [[noreturn]] void failAt(qint64 lineNumber, const QString& what) const;
  qint64 lineCount() const { return m_lineNumber; }

  /// The data of the record being read: reserve room for the expected length (a hint), append
  /// the symbols of one line, take the whole.
  void beginData(qint64 expectedLength);
  QChar* dataSpace(qsizetype atMost);
  void dataWritten(QChar* end);
  QString takeData();

  void emitRecord(AnnotatedRecord&& record) { m_onRecord(std::move(record)); }

 private:
  QString m_fileName;
  AnnotatedRecordSink m_onRecord;
  QString m_line;
  qint64 m_lineNumber = 0;
  QString m_data;
  qsizetype m_dataUsed = 0;
};

/// The blank characters of flat files: blank and tab.
inline bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

/// The text with leading and trailing blanks removed.
QStringView trimBlanks(QStringView text);

/// The first word (up to a blank) of the text after leading blanks.
QStringView firstWord(QStringView text);

/// Joins a continued text: each line's text trimmed, one blank between lines.
void appendJoined(QString& text, QStringView more);

/// The name of an entry: the identifier, then one blank and the description without one final
/// "." (no blank when the description is empty).
QString recordName(QStringView identifier, QString description);

}  // namespace duvanet::core
