# a flag takes no value
dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--case-sensitive=yes
-o
@WORK@/out.tsv
