# A TSV that cannot be written whole (file size limit, as a full disk) leaves the old file as it
# was; the run itself here writes the table normally.
dotplot
dotplot_random200.fas
dotplot_random200.fas
--window
3
-o
@WORK@/new.tsv
