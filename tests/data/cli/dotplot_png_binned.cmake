set(EXPECTED_WIDTH 3)
set(EXPECTED_HEIGHT 3)
include(${DATA_DIR}/dotplot_expect_png.cmake)
