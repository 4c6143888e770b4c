hits
hits_pair.fas
hits_pair.fas
