dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--width
400
-o
@WORK@/out.png
