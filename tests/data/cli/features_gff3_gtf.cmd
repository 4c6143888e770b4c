# GFF3 with Parent chains, a CDS in two parts, percent-encoding and a FASTA section; GTF transcripts
features
../formats/annotated.gff3
../formats/transcripts.gtf
