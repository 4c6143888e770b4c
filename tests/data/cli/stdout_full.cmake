# Writing into a full device must fail with status 1 and say so, not report success.
if(EXISTS /dev/full)
  execute_process(
    COMMAND ${TOOL} revcomp pair.fas
    WORKING_DIRECTORY ${DATA_DIR}
    OUTPUT_FILE /dev/full
    RESULT_VARIABLE full_result
    ERROR_VARIABLE full_error)
  if(NOT full_result EQUAL 1 OR NOT full_error STREQUAL "duvanet-cli: cannot write to standard output: No space left on device\n")
    string(APPEND failures "into /dev/full: status ${full_result}, standard error '${full_error}'\n")
  endif()
  execute_process(
    COMMAND ${TOOL} --version
    OUTPUT_FILE /dev/full
    RESULT_VARIABLE full_result
    ERROR_QUIET)
  if(NOT full_result EQUAL 1)
    string(APPEND failures "--version into /dev/full: status ${full_result}\n")
  endif()
endif()
