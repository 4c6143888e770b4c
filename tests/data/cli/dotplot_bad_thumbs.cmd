dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--thumbs
5,2
-o
@WORK@/out.png
