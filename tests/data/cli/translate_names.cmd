# names beginning with > are not doubled; a TXT file's line breaks stay in its data
translate
--frame
1
names.fas
plain.txt
