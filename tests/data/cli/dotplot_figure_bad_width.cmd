dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--figure
--width
10
-o
@WORK@/out.png
