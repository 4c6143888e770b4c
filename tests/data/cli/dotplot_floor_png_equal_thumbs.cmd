# Equal thumbs draw their own level in the full colour: the floor stays below it.
dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--type
identity
--window
3
--thumbs
2,2
-o
@WORK@/out.png
