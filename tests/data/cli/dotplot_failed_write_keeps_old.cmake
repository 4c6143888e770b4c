# The same plot over an existing file, under a file size limit of one block with SIGXFSZ ignored,
# so that the write fails with an error instead of a signal; once as TSV, once as PNG.
foreach(extension IN ITEMS tsv png)
  set(target ${WORK_DIR}/old.${extension})
  file(WRITE ${target} "old contents\n")
  execute_process(
    COMMAND sh -c "trap '' XFSZ; ulimit -f 1 && exec \"$0\" dotplot dotplot_random200.fas dotplot_random200.fas --window 3 --size 4096 -o \"$1\"" ${TOOL} ${target}
    WORKING_DIRECTORY ${DATA_DIR}
    RESULT_VARIABLE limited_result
    OUTPUT_VARIABLE limited_output
    ERROR_VARIABLE limited_error)
  if(NOT limited_result EQUAL 1)
    string(APPEND failures "${extension} under the limit: exit status ${limited_result}, expected 1\n")
  endif()
  # The image library may warn before; the tool's own message is the last line.
  string(FIND "${limited_error}" "duvanet-cli: Cannot write file \"${target}\": File too large\n" at)
  string(LENGTH "${limited_error}" error_length)
  string(LENGTH "duvanet-cli: Cannot write file \"${target}\": File too large\n" message_length)
  math(EXPR expected_at "${error_length} - ${message_length}")
  if(at LESS 0 OR NOT at EQUAL expected_at)
    string(APPEND failures "${extension} under the limit: standard error was '${limited_error}'\n")
  endif()
  file(READ ${target} kept)
  if(NOT kept STREQUAL "old contents\n")
    string(APPEND failures "${extension}: the old file was changed\n")
  endif()
endforeach()
file(GLOB left RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
list(SORT left)
if(NOT left STREQUAL "new.tsv;old.png;old.tsv")
  string(APPEND failures "files left in the folder: ${left}\n")
endif()
file(SIZE ${WORK_DIR}/new.tsv new_size)
if(new_size LESS 20000)
  string(APPEND failures "the table written without a limit has only ${new_size} bytes\n")
endif()
