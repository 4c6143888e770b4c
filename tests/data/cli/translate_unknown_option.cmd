translate
--offset
1
pair.fas
