translate
-h
