#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "core/ByteSource.h"
#include "core/SequenceFeature.h"
#include "core/SequenceList.h"

namespace duvanet::core {

/// The annotation formats, by file name.
enum class AnnotationFormat { Gff3, Gtf, Bed };

/// The annotation format a file name asks for, case ignored, after one final ".gz" is taken
/// off: GFF3 .gff .gff3, GTF (and GFF2) .gtf, BED .bed; nothing for any other name.
std::optional<AnnotationFormat> annotationFileFormat(const QString& fileName);

/// What an annotation file holds: its features in file order (each with the seqid the file
/// gives it) and, for a GFF3 file with a FASTA section, its sequences.
struct AnnotationFileContent {
  FeatureTable features;
  std::vector<tSequence> sequences;
};

/// Reads an annotation file (a ".gz" one decompressed). GFF3: lines sharing an ID are the parts of
/// one feature, Parent links and percent-decoded attributes kept, "##FASTA" or a line beginning
/// with ">" starts the sequences. GTF: features named by gene_id / transcript_id, the exons and
/// CDS of a transcript one feature each. BED (3 to 12 columns): 0-based half-open coordinates made
/// 1-based inclusive, the blocks as parts, type "region". Throws FileError naming the file and the
/// line for a line it cannot read, ReadCancelled when the monitor stops the read.
AnnotationFileContent readAnnotationFile(const QString& fileName, AnnotationFormat format,
                                         ReadMonitor* monitor = nullptr);

/// The same for a text already in memory; fileName only names it in errors.
AnnotationFileContent parseAnnotations(QStringView text, AnnotationFormat format,
                                       const QString& fileName);

}  // namespace duvanet::core
