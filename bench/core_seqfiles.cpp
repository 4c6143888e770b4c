// Reading compressed and annotated sequence files: a 100 MB one-sequence FASTA plain and as
// .fa.gz (gzip -6), and a 100 MB GenBank file of 1 Mbp records with a few hundred features
// each. Times and peak memory, each measurement in a child process of its own so that its peak
// resident size (ru_maxrss) is its own. The targets: the .fa.gz read in at most 1.5 times the
// plain file's time with a peak of at most 2.5 times the uncompressed size; the GenBank file in
// at most 2 s with a peak of at most 3 times its size.
// Usage: bench_core_seqfiles [scratch folder]  (files found there from an earlier run are reused)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <random>

#include "core/ByteSource.h"
#include "core/Fasta.h"
#include "core/GzipByteSource.h"
#include "core/SequenceList.h"
#include "core/TextFile.h"

namespace {

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double loadAverage() {
  double load[1] = {0};
  return getloadavg(load, 1) == 1 ? load[0] : -1;
}

struct Figures {
  double seconds = 0;
  double peakMiB = 0;
};

// Runs the work in a child process; prints and returns its time and peak memory. The child
// reports through a pipe.
Figures measure(const char* label, qint64 sizeBytes, const std::function<QString()>& work) {
  std::fflush(stdout);
  int channel[2];
  if (pipe(channel) != 0) qFatal("no pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    close(channel[0]);
    QElapsedTimer timer;
    timer.start();
    const QString note = work();
    Figures figures{double(timer.nsecsElapsed()) / 1e9, double(peakKiB()) / 1024.0};
    std::printf("%-46s %6.3f s (cpu %6.3f s)  peak %7.1f MiB = %.2f x   %s\n", label,
                figures.seconds, cpuSeconds(), figures.peakMiB,
                figures.peakMiB * 1048576.0 / double(sizeBytes), qPrintable(note));
    std::fflush(stdout);
    if (write(channel[1], &figures, sizeof figures) != sizeof figures) _exit(1);
    _exit(0);
  }
  close(channel[1]);
  Figures figures;
  if (read(channel[0], &figures, sizeof figures) != sizeof figures) figures = Figures{};
  close(channel[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return figures;
}

class Writer {
 public:
  explicit Writer(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  }
  void write(const QByteArray& bytes) {
    m_buffer += bytes;
    if (m_buffer.size() > (1 << 20)) flush();
  }
  qint64 close() {
    flush();
    m_file.close();
    return m_file.size();
  }

 private:
  void flush() {
    m_file.write(m_buffer);
    m_buffer.clear();
  }
  QFile m_file;
  QByteArray m_buffer;
};

qint64 generateFasta(const QString& path, qint64 bases) {
  Writer out(path);
  std::mt19937 random(42);
  out.write(">chromosome 1\n");
  QByteArray line;
  for (qint64 i = 0; i < bases; ++i) {
    line += "ACGT"[random() & 3];
    if (line.size() == 60 || i + 1 == bases) {
      line += '\n';
      out.write(line);
      line.clear();
    }
  }
  return out.close();
}

// gzip -6 of the file, written through zlib piece by piece.
qint64 compress(const QString& from, const QString& to) {
  QFile in(from);
  QFile out(to);
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) qFatal("cannot compress");
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  QByteArray input(1 << 20, Qt::Uninitialized);
  QByteArray output(1 << 20, Qt::Uninitialized);
  int flush = Z_NO_FLUSH;
  do {
    const qint64 n = in.read(input.data(), input.size());
    flush = n < input.size() ? Z_FINISH : Z_NO_FLUSH;
    z.next_in = reinterpret_cast<Bytef*>(input.data());
    z.avail_in = uInt(n);
    do {
      z.next_out = reinterpret_cast<Bytef*>(output.data());
      z.avail_out = uInt(output.size());
      deflate(&z, flush);
      out.write(output.constData(), output.size() - z.avail_out);
    } while (z.avail_out == 0);
  } while (flush != Z_FINISH);
  deflateEnd(&z);
  out.close();
  return out.size();
}

// Records of 1 Mbp, each with 300 features (gene and CDS pairs, some joined or complemented,
// with wrapped qualifiers), until the file holds about 100 MB.
qint64 generateGenBank(const QString& path, qint64 targetBytes) {
  Writer out(path);
  std::mt19937 random(7);
  constexpr qint64 kLength = 1'000'000;
  qint64 written = 0;
  for (int record = 1; written < targetBytes; ++record) {
    QByteArray text;
    const QByteArray accession = "XB" + QByteArray::number(100000 + record);
    text += "LOCUS       " + accession + "            " + QByteArray::number(kLength) +
            " bp    DNA     linear   SYN 10-DEC-2026\n";
    text += "DEFINITION  Synthetic benchmark chromosome " + QByteArray::number(record) +
            ", complete\n            sequence.\n";
    text += "ACCESSION   " + accession + "\nVERSION     " + accession + ".1\n";
    text += "KEYWORDS    .\nSOURCE      synthetic construct\n  ORGANISM  synthetic construct\n";
    text += "FEATURES             Location/Qualifiers\n";
    text += "     source          1.." + QByteArray::number(kLength) +
            "\n                     /organism=\"synthetic construct\"\n"
            "                     /mol_type=\"genomic DNA\"\n";
    for (int gene = 0; gene < 150; ++gene) {
      const qint64 start = qint64(gene) * 6600 + 1 + (random() % 100);
      const qint64 end = start + 900 + (random() % 3000);
      const QByteArray range = QByteArray::number(start) + ".." + QByteArray::number(end);
      const bool reverse = gene % 3 == 0;
      const QByteArray tag = "XB_" + QByteArray::number(record) + "_" + QByteArray::number(gene);
      text += "     gene            " + (reverse ? "complement(" + range + ")" : range) + "\n";
      text += "                     /locus_tag=\"" + tag + "\"\n";
      QByteArray location =
          gene % 5 == 0
              ? "join(" + QByteArray::number(start) + ".." + QByteArray::number(start + 300) + "," +
                    QByteArray::number(start + 400) + ".." + QByteArray::number(end) + ")"
              : range;
      if (reverse) location = "complement(" + location + ")";
      text += "     CDS             " + location + "\n";
      text += "                     /locus_tag=\"" + tag + "\"\n";
      text += "                     /codon_start=1\n";
      text += "                     /product=\"hypothetical protein number " +
              QByteArray::number(gene) + " of a synthetic\n                     chromosome\"\n";
      text += "                     /translation=\"";
      for (int line = 0; line < 4; ++line) {
        if (line > 0) text += "\n                     ";
        for (int i = 0; i < 58; ++i) text += "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
      }
      text += "\"\n";
    }
    text += "ORIGIN      \n";
    QByteArray line;
    for (qint64 i = 0; i < kLength; i += 60) {
      line = QByteArray::number(i + 1).rightJustified(9, ' ');
      for (qint64 j = i; j < std::min(i + 60, kLength); ++j) {
        if ((j - i) % 10 == 0) line += ' ';
        line += "acgt"[random() & 3];
      }
      line += '\n';
      text += line;
    }
    text += "//\n";
    written += text.size();
    out.write(text);
  }
  return out.close();
}

// A file generated earlier in the scratch folder is reused.
qint64 ensure(const QString& path, const std::function<qint64()>& make) {
  const QFileInfo info(path);
  if (info.exists() && info.size() > 0) return info.size();
  return make();
}

QString summary(const tSequenceList& list) {
  qint64 symbols = 0;
  size_t features = 0;
  for (int i = 0; i < list.Count(); ++i) {
    tSequence sequence;
    list.GetSequence(i, sequence);
    symbols += sequence.Data.size();
    features += list.Features(i)->size();
  }
  return QStringLiteral("%1 records, %2 symbols, %3 features")
      .arg(list.Count())
      .arg(symbols)
      .arg(features);
}

}  // namespace

int main(int argc, char** argv) {
  const QString scratch =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/duvanet-bench-seqfiles";
  QDir().mkpath(scratch);
  std::printf("CPU cores available: %ld, load average at start %.2f\n",
              sysconf(_SC_NPROCESSORS_ONLN), loadAverage());

  const QString fasta = scratch + "/one-sequence.fa";
  const QString fastaGz = fasta + ".gz";
  const QString genbank = scratch + "/chromosomes.gbk";
  const qint64 fastaBytes = ensure(fasta, [&] { return generateFasta(fasta, 98'360'000); });
  const qint64 fastaGzBytes = ensure(fastaGz, [&] { return compress(fasta, fastaGz); });
  const qint64 genbankBytes =
      ensure(genbank, [&] { return generateGenBank(genbank, 100'000'000); });
  std::printf("files: %.1f MB FASTA, %.1f MB as .fa.gz (gzip -6), %.1f MB GenBank\n\n",
              fastaBytes / 1e6, fastaGzBytes / 1e6, genbankBytes / 1e6);

  const auto load = [](const QString& path) {
    return [path] {
      tSequenceList list;
      list.LoadSequenceFiles({path});
      return summary(list);
    };
  };
  const Figures plain = measure("read 100 MB one-sequence FASTA (.fa)", fastaBytes, load(fasta));
  const Figures packed = measure("read the same as .fa.gz (gzip -6)", fastaBytes, load(fastaGz));
  measure("  the same, decompressing on one thread", fastaBytes, [&] {
    qsizetype symbols = 0;
    duvanet::core::GzipByteSource source(std::make_unique<duvanet::core::FileByteSource>(fastaGz),
                                         false);
    duvanet::core::FastaReader reader([&](tSequence&& record) { symbols += record.Data.size(); });
    duvanet::core::readText(source, reader);
    reader.finish();
    return QStringLiteral("%1 symbols").arg(symbols);
  });
  const Figures annotated =
      measure("read 100 MB GenBank (1 Mbp records)", genbankBytes, load(genbank));

  std::printf(
      "\n.fa.gz / .fa time: %.2f (target at most 1.5); peak %.2f x uncompressed size "
      "(target at most 2.5)\n",
      packed.seconds / plain.seconds, packed.peakMiB * 1048576.0 / double(fastaBytes));
  std::printf("GenBank: %.3f s (target at most 2 s); peak %.2f x file size (target at most 3)\n",
              annotated.seconds, annotated.peakMiB * 1048576.0 / double(genbankBytes));
  std::printf("load average at the end %.2f\n", loadAverage());
  return 0;
}
