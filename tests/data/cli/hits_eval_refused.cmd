hits
hits_pair.fas
hits_pair.fas
--eval
highest
-o
@WORK@/out.tsv
