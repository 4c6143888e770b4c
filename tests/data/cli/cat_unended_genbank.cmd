# a GenBank record without its closing line
cat
../formats/two_records.gb
../formats/unended.gb
