# an EMBL sequence line without its position
cat
../formats/bad_sequence.embl
