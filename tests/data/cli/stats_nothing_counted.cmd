# sequences without data get no row: no table at all
stats
empty.fas
blank.fas
