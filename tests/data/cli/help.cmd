# the tool's help
--help
