# gzip, BGZF, gzip text and plain FASTA
cat
../formats/pair.fa.gz
../formats/pair_bgzf.fa.gz
../formats/notes.txt.gz
names.fas
