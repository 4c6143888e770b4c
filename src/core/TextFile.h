#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

#include "core/ByteSource.h"
#include "core/SaveFile.h"

namespace duvanet::core {

/// Receives the lines of a text piece by piece, so that a very long line is never copied whole.
class TextLineSink {
 public:
  virtual ~TextLineSink() = default;
  /// A non-empty part of the current line; a line may arrive in several parts.
  virtual void linePart(QStringView part) = 0;
  /// The current line ends (an empty line gives only this call).
  virtual void lineEnd() = 0;
};

/// Cuts text into lines: CR LF, a lone CR and a lone LF each end one line; a break at the very end
/// gives no empty last line. The text may be fed in pieces; call finish() after the last one.
class LineSplitter {
 public:
  explicit LineSplitter(TextLineSink& sink) : m_sink(sink) {}
  void feed(QStringView piece);
  void finish();

 private:
  TextLineSink& m_sink;
  bool m_afterCarriageReturn = false;
  bool m_lineOpen = false;
};

/// The lines of a text, cut as LineSplitter cuts them.
QStringList splitLines(QStringView text);

/// How the bytes of a text file are decoded.
enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

/// The encoding named by a leading byte-order mark (FF FE, FE FF, EF BB BF) and the mark's length;
/// without a mark: UTF-8 when all bytes are valid UTF-8, otherwise Windows-1252, length 0.
struct EncodingDetection {
  TextEncoding encoding;
  qsizetype byteOrderMarkLength;
};
EncodingDetection detectEncoding(QByteArrayView bytes);

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
/// U+10FFFF, no sequence cut off at the end).
bool isValidUtf8(QByteArrayView bytes);

/// Windows-1252 decoding; the five bytes it leaves undefined map to the same C1 code points.
QString decodeWindows1252(QByteArrayView bytes);

/// Decodes a whole text file's bytes as detectEncoding says, without the byte-order mark.
QString decodeText(QByteArrayView bytes);

/// Decodes the bytes of a source as a text file (see detectEncoding) and hands its lines to sink,
/// reading the source once from start to end. Throws what the source throws.
void readText(ByteSource& source, TextLineSink& sink);

/// Reads a text file (a ".gz" file decompressed, see openInputFile) and hands its lines to sink.
/// Throws FileError when the file cannot be opened or read, ReadCancelled when monitor stops it.
void readTextFile(const QString& fileName, TextLineSink& sink, ReadMonitor* monitor = nullptr);

/// All lines of a text file (convenient for small files). Throws FileError.
QStringList readTextFileLines(const QString& fileName);

/// Writes a text file as UTF-8 without a byte-order mark through SafeSaveFile: the file appears
/// only on commit(), so a failed or abandoned write leaves an existing file as it was.
/// Throws FileError when the file cannot be created or written.
class TextFileWriter {
 public:
  explicit TextFileWriter(const QString& fileName);
  ~TextFileWriter() = default;  // without commit() the target stays untouched
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  /// Writes the text as it stands (line breaks inside it unchanged).
  void write(QStringView text);
  /// Writes the text followed by CR LF.
  void writeLine(QStringView line);
  /// Replaces the target by what was written.
  void commit();
  /// Drops what was written; the target stays as it was.
  void cancel();

 private:
  void flush();

  QString m_fileName;
  SafeSaveFile m_file;
  QStringEncoder m_encoder;
  QByteArray m_buffer;
  bool m_started = false;  // whether any text was written yet
};

/// Writes every line followed by CR LF. Throws FileError.
void writeTextFileLines(const QString& fileName, const QStringList& lines);

}  // namespace duvanet::core
