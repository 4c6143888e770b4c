# a GenBank record without its //
features
../formats/unended.gb
