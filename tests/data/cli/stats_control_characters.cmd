# Control characters in names and symbols are escaped, NUL as \x00
stats
controls.fas
