translate
--strand
reverse
pair.fas
