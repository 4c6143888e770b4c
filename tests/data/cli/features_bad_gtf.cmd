# a GTF line whose start is after its end
features
../formats/bad_order.gtf
