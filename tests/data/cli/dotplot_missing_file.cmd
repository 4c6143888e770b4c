dotplot
missing.fas
dotplot_seqs.fas
-o
@WORK@/out.tsv
