translate
pair.fas
--table
