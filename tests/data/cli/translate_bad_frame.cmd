translate
--frame
3
pair.fas
