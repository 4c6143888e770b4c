# no file given
features
