// Reading large FASTA files, translating in six frames and counting symbols: times and peak
// memory. Each measurement runs in a child process of its own, so that its peak resident size
// (ru_maxrss) is its own. Usage: bench_core_files [scratch folder]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <random>

#include "core/SequenceList.h"
#include "core/SymbolStatistics.h"

namespace {

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// User and system time of this process so far: less disturbed by other load than the clock.
double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the work in a child process and prints its time and peak memory.
void measure(const char* label, qint64 fileBytes, const std::function<QString()>& work) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    const long before = peakKiB();
    QElapsedTimer timer;
    timer.start();
    const QString note = work();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const long peak = peakKiB();
    std::printf("%-44s %6.3f s (cpu %6.3f s)  peak %6.1f MiB (at start %4.1f MiB)", label, seconds,
                cpuSeconds(), double(peak) / 1024.0, double(before) / 1024.0);
    if (fileBytes > 0)
      std::printf("   = %.2f x file size", double(peak) * 1024.0 / double(fileBytes));
    std::printf("   %s\n", qPrintable(note));
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
}

// Writes the file in pieces so that the generating process stays small.
qint64 generateFasta(const QString& path, int records, qint64 basesPerRecord, int lineLength) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  std::mt19937 random(42);
  const char bases[] = "ACGT";
  QByteArray buffer;
  for (int r = 0; r < records; ++r) {
    buffer += ">record " + QByteArray::number(r + 1) + "\n";
    for (qint64 i = 0; i < basesPerRecord; ++i) {
      buffer += bases[random() & 3];
      if ((i + 1) % lineLength == 0 || i + 1 == basesPerRecord) buffer += '\n';
    }
    if (buffer.size() > (1 << 20)) {
      file.write(buffer);
      buffer.clear();
    }
  }
  file.write(buffer);
  return file.size();
}

QString randomDna(qsizetype length) {
  std::mt19937 random(7);
  const char16_t bases[] = u"ACGT";
  QString text(length, Qt::Uninitialized);
  for (qsizetype i = 0; i < length; ++i) text[i] = QChar(bases[random() & 3]);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/bench-XXXXXX"
                                 : QDir::tempPath() + "/bench-XXXXXX");
  if (!scratch.isValid()) qFatal("no scratch folder");
  std::printf("CPU cores available: %ld\n", sysconf(_SC_NPROCESSORS_ONLN));

  const QString oneSequence = scratch.filePath("one-sequence.fas");
  const QString oneLine = scratch.filePath("one-line.fas");
  const QString manyRecords = scratch.filePath("many-records.fas");
  const qint64 oneSequenceBytes = generateFasta(oneSequence, 1, 98'360'000, 60);
  const qint64 oneLineBytes = generateFasta(oneLine, 1, 100'000'000, 1'000'000'000);
  const qint64 manyRecordsBytes = generateFasta(manyRecords, 1'000'000, 34, 60);
  std::printf("files: %.1f MB (60 per line), %.1f MB (one line), %.1f MB (1,000,000 records)\n\n",
              oneSequenceBytes / 1e6, oneLineBytes / 1e6, manyRecordsBytes / 1e6);

  const auto load = [](const QString& path) {
    return [path] {
      tSequenceList list;
      const int records = list.LoadFASFile(path);
      tSequence first;
      list.GetSequence(0, first);
      return QStringLiteral("%1 records, first %2 symbols").arg(records).arg(first.Data.size());
    };
  };
  measure("read 100 MB one-sequence FASTA (60/line)", oneSequenceBytes, load(oneSequence));
  measure("read 100 MB one-sequence FASTA (one line)", oneLineBytes, load(oneLine));
  measure("read 50 MB FASTA of 1,000,000 records", manyRecordsBytes, load(manyRecords));

  measure("translate 10 Mbp in all six frames", 0, [] {
    tSequenceList list;
    tSequence sequence;
    sequence.Name = QStringLiteral("random");
    sequence.Data = randomDna(10'000'000);
    list.SetSequence(list.AddSequence(), sequence);
    QElapsedTimer timer;
    timer.start();
    qsizetype residues = 0;
    for (int frame = 0; frame < 3; ++frame) {
      residues += list.DNA2AminoAcidIUPAC(0, frame, 0).Data.size();
      residues += list.DNA2AminoAcidRevComplement(0, frame, 0).Data.size();
    }
    return QStringLiteral("(translating alone %1 s, %2 result symbols)")
        .arg(double(timer.nsecsElapsed()) / 1e9, 0, 'f', 3)
        .arg(residues);
  });

  measure("count symbols of 100 Mbp", 0, [] {
    const QString data = randomDna(100'000'000);
    QElapsedTimer timer;
    timer.start();
    tSymbolStatistics statistics;
    CountSymbols({tSequence{QStringLiteral("random"), data, {}}}, statistics);
    return QStringLiteral("(counting alone %1 s, %2 symbols)")
        .arg(double(timer.nsecsElapsed()) / 1e9, 0, 'f', 3)
        .arg(statistics.SymbolCount());
  });

  measure("save 100 Mbp workspace", 0, [&scratch] {
    tSequenceList list;
    tSequence sequence;
    sequence.Name = QStringLiteral("random");
    sequence.Data = randomDna(100'000'000);
    list.SetSequence(list.AddSequence(), sequence);
    QElapsedTimer timer;
    timer.start();
    list.SaveWorkspace(scratch.filePath("saved.fas"), nullptr);
    return QStringLiteral("(writing alone %1 s, %2 bytes)")
        .arg(double(timer.nsecsElapsed()) / 1e9, 0, 'f', 3)
        .arg(QFileInfo(scratch.filePath("saved.fas")).size());
  });
  return 0;
}
