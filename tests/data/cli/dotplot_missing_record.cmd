dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--hindex
42
-o
@WORK@/out.tsv
