# a cut gzip file: nothing is written
cat
../formats/pair.fa.gz
../formats/truncated.fa.gz
