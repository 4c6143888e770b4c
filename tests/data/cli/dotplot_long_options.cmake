include(${DATA_DIR}/dotplot_expect_tsv.cmake)
