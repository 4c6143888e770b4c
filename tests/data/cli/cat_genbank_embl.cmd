# GenBank and EMBL records, two of each, as FASTA
cat
../formats/two_records.gb
../formats/two_records.embl
