stats
missing.txt
