set(EXPECTED_WIDTH 8)
set(EXPECTED_HEIGHT 8)
include(${DATA_DIR}/dotplot_expect_png.cmake)
