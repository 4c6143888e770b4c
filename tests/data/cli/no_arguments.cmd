# no arguments at all: the usage goes to standard error
