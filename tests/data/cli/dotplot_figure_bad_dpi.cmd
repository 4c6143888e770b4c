dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--dpi
0
-o
@WORK@/out.pdf
