hits
hits_pair.fas
hits_pair.fas
-o
@WORK@/no/such/folder/out.tsv
