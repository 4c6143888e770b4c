# The floor of the thumbs leaves every pixel as the full computation draws it.
dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--type
identity
--window
3
--thumbs
1,3
-o
@WORK@/out.png
