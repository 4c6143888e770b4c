set(EXPECTED_WIDTH 400)
set(EXPECTED_HEIGHT 300)
include(${DATA_DIR}/dotplot_expect_png.cmake)
