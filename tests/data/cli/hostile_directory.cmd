# a directory chosen as input is refused with a plain message
revcomp
../cli
