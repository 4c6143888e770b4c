#include "cli/CliSupport.h"

#include <QByteArray>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/Fasta.h"
#include "core/FileError.h"

namespace duvanet::cli {

namespace {

// The reason of the first failed write to standard output (0 while none failed).
int g_stdoutError = 0;

void writeTo(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  errno = 0;
  if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) != size_t(bytes.size()) &&
      stream == stdout && g_stdoutError == 0)
    g_stdoutError = errno;
}

}  // namespace

ArgumentParser::ArgumentParser(const QStringList& arguments, const QStringList& valueOptions,
                               const QStringList& flagOptions,
                               const QList<std::pair<QString, QString>>& shortNames) {
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith(u'-') || argument == QStringLiteral("-")) {
      m_positional.append(argument);
      continue;
    }
    if (argument == QStringLiteral("--")) {
      optionsEnded = true;
      continue;
    }
    if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
      m_help = true;
      continue;
    }
    const qsizetype equals = argument.indexOf(u'=');
    const QString given = equals < 0 ? argument : argument.first(equals);
    QString name = given;  // the long name; messages quote the name as given
    for (const auto& [shortName, longName] : shortNames)
      if (given == shortName) name = longName;
    if (flagOptions.contains(name)) {
      if (equals >= 0) throw UsageError(QStringLiteral("option '%1' takes no value").arg(given));
      m_flags.append(name);
      continue;
    }
    if (!valueOptions.contains(name))
      throw UsageError(QStringLiteral("unknown option '%1'").arg(given));
    if (equals >= 0) {
      m_values.append({name, argument.sliced(equals + 1)});
    } else if (i + 1 < arguments.size()) {
      m_values.append({name, arguments[++i]});
    } else {
      throw UsageError(QStringLiteral("option '%1' needs a value").arg(given));
    }
  }
}

std::optional<QString> ArgumentParser::value(const QString& option) const {
  std::optional<QString> result;
  for (const auto& [name, value] : m_values)
    if (name == option) result = value;  // the last one given counts
  return result;
}

QStringList ArgumentParser::values(const QString& option) const {
  QStringList found;
  for (const auto& [name, value] : m_values)
    if (name == option) found.append(value);
  return found;
}

bool ArgumentParser::isSet(const QString& option) const {
  if (m_flags.contains(option)) return true;
  for (const auto& entry : m_values)
    if (entry.first == option) return true;
  return false;
}

void writeOut(const QString& text) { writeTo(stdout, text); }

void writeErr(const QString& text) { writeTo(stderr, text); }

void writeFastaRecord(const QString& name, const QString& data) {
  QString record = core::fastaHeaderLine(name);
  record.reserve(record.size() + data.size() + 2);
  record.append(u'\n');
  record.append(data);
  record.append(u'\n');
  writeOut(record);
}

bool loadSequenceFiles(const QStringList& files, tSequenceList& list) {
  try {
    list.LoadSequenceFiles(files);
    return true;
  } catch (const core::FileError& error) {
    writeErr(QStringLiteral("%1: %2\n").arg(QLatin1StringView(kToolName), error.message()));
    return false;
  }
}

std::optional<int> parseNumber(const QString& text, int lowest, int highest) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest || value > highest) return std::nullopt;
  return value;
}

void requireFiles(const ArgumentParser& parser) {
  if (parser.positional().isEmpty()) throw UsageError(QStringLiteral("no input file given"));
}

int runRecordCommand(const QStringList& arguments, const QString& help,
                     const QStringList& valueOptions,
                     const std::function<RecordWriter(const ArgumentParser&)>& prepare) {
  const ArgumentParser parser(arguments, valueOptions);
  if (parser.helpRequested()) {
    writeOut(help);
    return kExitSuccess;
  }
  const RecordWriter write = prepare(parser);
  requireFiles(parser);
  tSequenceList list;
  if (!loadSequenceFiles(parser.positional(), list)) return kExitFailure;
  for (int i = 0; i < list.Count(); ++i) write(list, i);
  return kExitSuccess;
}

int runGuarded(const char* command, const std::function<int()>& body) {
  int status = kExitSuccess;
  try {
    status = body();
  } catch (const UsageError& error) {
    writeErr(QStringLiteral("%1 %2: %3\nTry '%1 %2 --help'.\n")
                 .arg(QLatin1StringView(kToolName), QLatin1StringView(command),
                      QString::fromStdString(error.what())));
    return kExitUsage;
  }
  return finishOutput(status);
}

int finishOutput(int status) {
  static bool reported = false;  // a command and main() both finish; say it once
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    // The system's reason: "No space left on device", "Broken pipe" ...
    const int error = g_stdoutError != 0 ? g_stdoutError : errno;
    const QString reason = error != 0
                               ? QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error))
                               : QString();
    if (!reported)
      writeErr(QStringLiteral("%1: cannot write to standard output%2\n")
                   .arg(QLatin1StringView(kToolName), reason));
    reported = true;
    return kExitFailure;
  }
  return status;
}

}  // namespace duvanet::cli
