# the first file is read, the second is missing: nothing is written
revcomp
pair.fas
missing.fas
