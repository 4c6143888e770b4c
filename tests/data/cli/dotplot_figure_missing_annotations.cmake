if(EXISTS ${WORK_DIR}/out.svg)
  string(APPEND failures "out.svg was written although an annotation file is missing\n")
endif()
