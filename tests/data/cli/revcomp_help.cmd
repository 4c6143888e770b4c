revcomp
--help
