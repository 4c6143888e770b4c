hits
missing.fas
hits_pair.fas
-o
@WORK@/out.tsv
