translate
pair.fas
