# "-o" as the last argument has no value
dotplot
dotplot_seqs.fas
dotplot_seqs.fas
-o
