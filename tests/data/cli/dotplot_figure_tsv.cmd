dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--figure
-o
@WORK@/out.tsv
