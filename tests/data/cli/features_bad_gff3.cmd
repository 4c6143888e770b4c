# a GFF3 line of 7 columns
features
../formats/bad_columns.gff3
