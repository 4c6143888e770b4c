stats
pair.fas
plain.txt
names.fas
short.fas
