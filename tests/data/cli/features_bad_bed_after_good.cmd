# a damaged file after a good one: nothing is written
features
../formats/regions.bed
../formats/bad_number.bed
