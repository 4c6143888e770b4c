#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

#include "core/SequenceList.h"

namespace duvanet::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char* kToolName = "duvanet-cli";

/// A wrong command line; the text says what is wrong.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

/// Splits a command's arguments into options and file names. Value options take their value as
/// the next argument or after "=" (--table 2, --table=2); flag options take none; "--" ends the
/// options. A short name ("-o") stands for the long option it is paired with in shortNames.
class ArgumentParser {
 public:
  /// Throws UsageError for an unknown option, a missing value or a value given to a flag.
  ArgumentParser(const QStringList& arguments, const QStringList& valueOptions,
                 const QStringList& flagOptions = {},
                 const QList<std::pair<QString, QString>>& shortNames = {});

  bool helpRequested() const { return m_help; }
  /// The value of the last occurrence of a value option, by its long name.
  std::optional<QString> value(const QString& option) const;
  /// The values of every occurrence of a value option, in the order given.
  QStringList values(const QString& option) const;
  /// True when a flag or value option was given at least once.
  bool isSet(const QString& option) const;
  const QStringList& positional() const { return m_positional; }

 private:
  bool m_help = false;
  QList<std::pair<QString, QString>> m_values;
  QStringList m_flags;
  QStringList m_positional;
};

/// Writes text to standard output / standard error as UTF-8.
void writeOut(const QString& text);
void writeErr(const QString& text);

/// One FASTA record for standard output: the header line (">" and the name, not doubled) and
/// the data as one line, each ended by LF.
void writeFastaRecord(const QString& name, const QString& data);

/// Reads the files as the program's "Load sequences" does (the format by the file name, see
/// core/SequenceFileFormat.h). On a file error prints one line naming the file and the reason
/// and returns false.
bool loadSequenceFiles(const QStringList& files, tSequenceList& list);

/// Runs a command body, turning UsageError into a message and exit status 2, and a failed write
/// to standard output into status 1.
int runGuarded(const char* command, const std::function<int()>& body);

/// Flushes standard output; a failed write (a full disk, a closed pipe) is reported on standard
/// error and turns the status into 1.
int finishOutput(int status);

/// A decimal number from lowest to highest, or nothing.
std::optional<int> parseNumber(const QString& text, int lowest, int highest);

/// Requires at least one file name; throws UsageError otherwise.
void requireFiles(const ArgumentParser& parser);

/// What a record command writes for record index of the files it read.
using RecordWriter = std::function<void(const tSequenceList& list, int index)>;

/// The body of a command that reads sequence files and writes something for each record, for
/// runGuarded: prints help when asked; otherwise lets prepare check the command's own options
/// (throwing UsageError) before any file is read, requires at least one file, reads them all as
/// loadSequenceFiles does (nothing is written when one cannot be read: status 1) and calls the
/// writer prepare returned for every record, in file order.
int runRecordCommand(const QStringList& arguments, const QString& help,
                     const QStringList& valueOptions,
                     const std::function<RecordWriter(const ArgumentParser&)>& prepare);

}  // namespace duvanet::cli
