# a gzip file whose check fails: nothing is written
cat
../formats/damaged.fa.gz
