include(${DATA_DIR}/hits_expect.cmake)
