hits
hits_pair.fas
hits_pair.fas
--window
40
-o
@WORK@/out.tsv
