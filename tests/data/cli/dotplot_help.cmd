dotplot
--help
