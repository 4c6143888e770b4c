# File names that are not UTF-8: the tool opens the bytes it was given (see the .cmake part);
# this first run only shows that the plain name of the same file reads.
stats
plain.txt
