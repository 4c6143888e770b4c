# the command's help
features
--help
