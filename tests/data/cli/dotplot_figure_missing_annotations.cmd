dotplot
dotplot_random200.fas
dotplot_random200.fas
--annotations
missing.bed
-o
@WORK@/out.svg
