# the long output name and values after "=", as the palindrome case
dotplot
dotplot_seqs.fas
dotplot_seqs.fas
--hindex=7
--vindex=7
--eval=lowest
--window=3
--output=@WORK@/out.tsv
