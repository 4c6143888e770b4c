translate
--table=2
--strand
revcomp
--frame
1
pair.fas
