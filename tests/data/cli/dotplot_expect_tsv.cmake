# Included by the dotplot cases: compares the written table with <case>.expected.tsv.
file(READ ${WORK_DIR}/out.tsv written)
file(READ ${DATA_DIR}/${case_name}.expected.tsv expected_table)
if(NOT written STREQUAL expected_table)
  string(APPEND failures "out.tsv differs.\n--- expected ---\n${expected_table}--- actual ---\n${written}---\n")
endif()
