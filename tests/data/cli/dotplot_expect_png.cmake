# Included by the dotplot image cases: checks the PNG signature and the size in its IHDR chunk
# against EXPECTED_WIDTH and EXPECTED_HEIGHT.
file(READ ${WORK_DIR}/out.png header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 8 width_hex)
string(SUBSTRING "${header}" 40 8 height_hex)
math(EXPR width "0x${width_hex}")
math(EXPR height "0x${height_hex}")
if(NOT signature STREQUAL "89504e470d0a1a0a")
  string(APPEND failures "out.png is no PNG file (${signature})\n")
elseif(NOT width EQUAL EXPECTED_WIDTH OR NOT height EQUAL EXPECTED_HEIGHT)
  string(APPEND failures "out.png is ${width} x ${height}, expected ${EXPECTED_WIDTH} x ${EXPECTED_HEIGHT}\n")
endif()
