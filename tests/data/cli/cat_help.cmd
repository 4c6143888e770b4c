cat
--help
