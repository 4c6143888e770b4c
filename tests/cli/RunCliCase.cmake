cmake_minimum_required(VERSION 3.25)
# Runs duvanet-cli for one case and compares exit status, standard output and standard error.
# Variables: TOOL, CASE_FILE, WORK_DIR, VERSION. A <case>.cmake beside the case file is included
# afterwards with RESULT, OUTPUT, ERROR, WORK_DIR and DATA_DIR set; it calls message(FATAL_ERROR)
# to fail the case.
get_filename_component(DATA_DIR ${CASE_FILE} DIRECTORY)
get_filename_component(case_name ${CASE_FILE} NAME_WLE)
set(case_base ${DATA_DIR}/${case_name})

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(substitute input output_var)
  string(REPLACE "@WORK@" "${WORK_DIR}" text "${input}")
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  set(${output_var} "${text}" PARENT_SCOPE)
endfunction()

# One argument per line; empty arguments are not possible, "#" lines are comments.
file(STRINGS ${CASE_FILE} lines)
set(arguments)
foreach(line IN LISTS lines)
  if(line MATCHES "^#")
    continue()
  endif()
  substitute("${line}" line)
  list(APPEND arguments "${line}")
endforeach()

execute_process(
  COMMAND ${TOOL} ${arguments}
  WORKING_DIRECTORY ${DATA_DIR}
  RESULT_VARIABLE RESULT
  OUTPUT_VARIABLE OUTPUT
  ERROR_VARIABLE ERROR)

set(expected_rc 0)
if(EXISTS ${case_base}.rc)
  file(STRINGS ${case_base}.rc expected_rc LIMIT_COUNT 1)
endif()

set(failures "")
if(NOT "${RESULT}" STREQUAL "${expected_rc}")
  string(APPEND failures "exit status ${RESULT}, expected ${expected_rc}\n")
endif()

foreach(stream IN ITEMS out err)
  set(stream_name "standard output")
  if(stream STREQUAL "err")
    set(stream_name "standard error")
  endif()
  set(expected "")
  if(EXISTS ${case_base}.${stream})
    file(READ ${case_base}.${stream} expected)
    substitute("${expected}" expected)
  endif()
  if(stream STREQUAL "out")
    set(actual "${OUTPUT}")
  else()
    set(actual "${ERROR}")
  endif()
  if(NOT "${actual}" STREQUAL "${expected}")
    string(APPEND failures "${stream_name} differs.\n--- expected ---\n${expected}\n--- actual ---\n${actual}\n---\n")
  endif()
endforeach()

if(EXISTS ${case_base}.cmake)
  include(${case_base}.cmake)
endif()

if(failures)
  message(FATAL_ERROR "case ${case_name}: ${failures}")
endif()
message(STATUS "case ${case_name}: passed")
