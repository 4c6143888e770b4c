# Copies of plain.txt and pair.fas under names holding the byte E9 (é in Windows-1252, not UTF-8)
# read like the originals; the text entry is named with the byte shown as é. A missing name of
# that kind is reported as missing, with the name shown the same way.
execute_process(
  COMMAND sh -c "cp plain.txt \"$0/$(printf 'se\\351q.txt')\" && cp pair.fas \"$0/$(printf 'se\\351quence.fas')\"" ${WORK_DIR}
  WORKING_DIRECTORY ${DATA_DIR}
  RESULT_VARIABLE copy_result)
if(NOT copy_result EQUAL 0)
  string(APPEND failures "could not create the files with raw names\n")
endif()
execute_process(
  COMMAND sh -c "exec \"$0\" stats \"$(printf 'se\\351q.txt')\" \"$(printf 'se\\351quence.fas')\"" ${TOOL}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE raw_result
  OUTPUT_VARIABLE raw_output
  ERROR_VARIABLE raw_error)
execute_process(
  COMMAND ${TOOL} stats plain.txt pair.fas
  WORKING_DIRECTORY ${DATA_DIR}
  OUTPUT_VARIABLE plain_output)
string(REPLACE "\nplain.txt\t" "\nseéq.txt\t" expected_output "${plain_output}")
if(NOT raw_result EQUAL 0 OR NOT raw_error STREQUAL "" OR NOT raw_output STREQUAL expected_output)
  string(APPEND failures "raw names: status ${raw_result}, error '${raw_error}', output\n${raw_output}\nexpected\n${expected_output}\n")
endif()
execute_process(
  COMMAND sh -c "exec \"$0\" stats \"$(printf 'missing\\351.fas')\"" ${TOOL}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE missing_result
  ERROR_VARIABLE missing_error)
if(NOT missing_result EQUAL 1 OR NOT missing_error STREQUAL "duvanet-cli: Cannot read file \"missingé.fas\": No such file or directory\n")
  string(APPEND failures "missing raw name: status ${missing_result}, error '${missing_error}'\n")
endif()
