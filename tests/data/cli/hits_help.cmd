hits
--help
