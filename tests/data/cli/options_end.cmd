# -- ends the options: a file name may begin with a dash
revcomp
--
-dash.fas
