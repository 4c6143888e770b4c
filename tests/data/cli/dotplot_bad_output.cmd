dotplot
dotplot_seqs.fas
dotplot_seqs.fas
-o
@WORK@/out.txt
