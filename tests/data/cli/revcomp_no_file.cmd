revcomp
