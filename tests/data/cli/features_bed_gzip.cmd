# BED3, BED6 and BED12 (blocks as parts), gzip-compressed
features
../formats/regions.bed.gz
