frobnicate
pair.fas
