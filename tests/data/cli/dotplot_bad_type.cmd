dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--type
both
-o
@WORK@/out.tsv
