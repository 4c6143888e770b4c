# the records as usual; the .cmake runs it again into a full disk
revcomp
pair.fas
