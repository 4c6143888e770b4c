# a .gz file that is not gzip: nothing is written
cat
../formats/pair.fa.gz
../formats/not_gzip.fa.gz
