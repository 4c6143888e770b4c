file(READ ${WORK_DIR}/out.jpg header LIMIT 3 HEX)
if(NOT header STREQUAL "ffd8ff")
  string(APPEND failures "out.jpg is no JPEG file (${header})\n")
endif()
