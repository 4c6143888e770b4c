dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--window
1025
-o
@WORK@/out.tsv
