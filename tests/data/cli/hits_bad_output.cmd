hits
hits_pair.fas
hits_pair.fas
-o
@WORK@/out.png
