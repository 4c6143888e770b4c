# UTF-16 with an odd byte count: the cut character is counted as U+FFFD
stats
../hostile_utf16_odd.txt
