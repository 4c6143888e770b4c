cat
