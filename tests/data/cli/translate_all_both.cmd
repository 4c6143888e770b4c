translate
--frame
all
--strand
both
pair.fas
short.fas
