# feature tables: join, complement(join), order, partial ends, a remote part left out, sites
features
../formats/two_records.gb
../formats/two_records.embl
