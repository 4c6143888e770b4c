# The floored table is the full table without the cells at or below the floor.
dotplot
floor_pair.fas
floor_pair.fas
--vindex
1
--type
dna-both
--eval
summed
--window
8
--floor
9
-o
@WORK@/out.tsv
