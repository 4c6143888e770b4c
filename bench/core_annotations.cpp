// Reading annotations: a GFF3 file of 1,000,000 lines (about 100 MB) of genes, mRNAs, exons and
// CDS in several parts, the way genome annotations come, read with readAnnotationFile. Prints
// the best wall time of three reads, its CPU time and the feature count. The target: at most 2 s.
// Usage: bench_core_annotations [scratch folder]  (a file found there from an earlier run is
// reused)

#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "core/AnnotationFile.h"

namespace {

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Genes of one mRNA with four exons and a CDS in four parts: ten lines a gene.
void writeGff3(const QString& path, int lines) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
  file.write("##gff-version 3\n");
  QByteArray chunk;
  qint64 at = 1000;
  for (int gene = 0, written = 1; written < lines; ++gene) {
    const QByteArray seqid = "NC_0000" + QByteArray::number(10 + gene / 20000) + ".1";
    const QByteArray id = QByteArray::number(gene);
    const qint64 start = at;
    const qint64 end = at + 4000;
    const auto line = [&](const char* type, qint64 from, qint64 to, const char* phase,
                          const QByteArray& attributes) {
      chunk += seqid + "\tRefSeq\t" + type + '\t' + QByteArray::number(from) + '\t' +
               QByteArray::number(to) + "\t.\t+\t" + phase + '\t' + attributes + '\n';
      ++written;
    };
    line("gene", start, end, ".",
         "ID=gene-" + id + ";Name=gene" + id +
             ";gbkey=Gene;gene_biotype=protein_coding;locus_tag=b" + id);
    line("mRNA", start, end, ".",
         "ID=rna-" + id + ";Parent=gene-" + id + ";Name=NM_" + id + ";gbkey=mRNA;product=protein");
    for (int exon = 0; exon < 4; ++exon)
      line("exon", start + exon * 1000, start + exon * 1000 + 600, ".",
           "ID=exon-" + id + "-" + QByteArray::number(exon + 1) + ";Parent=rna-" + id +
               ";gbkey=mRNA;product=protein%2C isoform 1");
    for (int part = 0; part < 4; ++part)
      line("CDS", start + part * 1000 + 50, start + part * 1000 + 600, "0",
           "ID=cds-" + id + ";Parent=rna-" + id + ";Name=NP_" + id +
               ";gbkey=CDS;product=protein;protein_id=NP_" + id);
    at = end + 500;
    if (chunk.size() > (1 << 20)) {
      file.write(chunk);
      chunk.clear();
    }
  }
  file.write(chunk);
}

}  // namespace

int main(int argc, char** argv) {
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
  const QString path = folder + QStringLiteral("/bench_annotations_1M.gff3");
  if (!QFileInfo::exists(path)) writeGff3(path, 1000000);
  std::printf("file: %s, %.1f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);
  double best = 1e9;
  double bestCpu = 0;
  size_t features = 0;
  for (int run = 0; run < 3; ++run) {
    const double cpu0 = cpuSeconds();
    QElapsedTimer timer;
    timer.start();
    const auto content =
        duvanet::core::readAnnotationFile(path, duvanet::core::AnnotationFormat::Gff3);
    const double seconds = timer.nsecsElapsed() / 1e9;
    features = content.features.size();
    if (seconds < best) {
      best = seconds;
      bestCpu = cpuSeconds() - cpu0;
    }
  }
  std::printf(
      "GFF3 1,000,000 lines: %zu features, best of 3 %.3f s wall, %.3f s CPU (target 2 s)\n",
      features, best, bestCpu);
  return 0;
}
