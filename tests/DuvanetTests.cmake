# duvanet_add_layer_tests(<layer> <libraries...>)
# Builds one test executable from every .cpp in tests/<layer> and registers each class that a
# file names with DUVANET_TEST(Class) as its own CTest test, "<layer>.<Class>".
function(duvanet_add_layer_tests layer)
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(target tests_${layer})
  add_executable(${target} ${test_sources} ${CMAKE_SOURCE_DIR}/tests/common/TestMain.cpp
    ${CMAKE_SOURCE_DIR}/tests/common/TestRegistry.h ${CMAKE_SOURCE_DIR}/tests/common/TestFiles.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE Qt6::Test Qt6::Widgets ZLIB::ZLIB ${ARGN})
  target_compile_definitions(${target} PRIVATE
    DUVANET_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    DUVANET_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  foreach(source IN LISTS test_sources)
    file(STRINGS ${source} lines REGEX "^DUVANET_TEST\\([A-Za-z0-9_]+\\)")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^DUVANET_TEST\\(([A-Za-z0-9_]+)\\).*" "\\1" class "${line}")
      add_test(NAME ${layer}.${class} COMMAND ${target} ${class})
      set_tests_properties(${layer}.${class} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    endforeach()
  endforeach()
endfunction()
