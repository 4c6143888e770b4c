revcomp
pair.fas
plain.txt
names.fas
