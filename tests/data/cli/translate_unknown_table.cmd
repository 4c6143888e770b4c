translate
--table
7
pair.fas
