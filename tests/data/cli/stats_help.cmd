stats
--help
