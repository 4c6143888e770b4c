# duvanet_add_layer_tests(<layer> APPLICATION Core|Gui|Widgets LIBRARIES <libraries...>
#                         CLASSES <test classes...>)
# Builds one test executable, tests_<layer>, from every .cpp in tests/<layer> and registers each
# listed class as its own CTest test, "<layer>.<Class>". The test program runs under a
# QCoreApplication, a QGuiApplication or a QApplication as APPLICATION says; only the last two
# need a display plugin (offscreen). After linking, the executable compares the classes compiled
# into it with the list: a class that is registered but not listed (it would never run) or listed
# but not compiled in fails the build.
function(duvanet_add_layer_tests layer)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "APPLICATION" "LIBRARIES;CLASSES")
  if(NOT arg_APPLICATION MATCHES "^(Core|Gui|Widgets)$")
    message(FATAL_ERROR "duvanet_add_layer_tests(${layer}): APPLICATION must be Core, Gui or Widgets")
  endif()
  if(NOT arg_CLASSES)
    message(FATAL_ERROR "duvanet_add_layer_tests(${layer}): no CLASSES listed")
  endif()
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(target tests_${layer})

  set(listed "")
  foreach(class IN LISTS arg_CLASSES)
    string(APPEND listed "    \"${class}\",\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/generated/ListedTestClasses.h CONTENT
"// Generated from tests/${layer}/CMakeLists.txt: the test classes CTest runs.
#pragma once
namespace duvanet::testing {
inline constexpr const char* kListedTestClasses[] = {
${listed}};
inline constexpr const char* kListedTestsFile = \"tests/${layer}/CMakeLists.txt\";
}  // namespace duvanet::testing
")

  add_executable(${target} ${test_sources} ${CMAKE_SOURCE_DIR}/tests/common/TestMain.cpp
    ${CMAKE_SOURCE_DIR}/tests/common/TestRegistry.h ${CMAKE_SOURCE_DIR}/tests/common/TestFiles.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/generated)
  target_link_libraries(${target} PRIVATE Qt6::Test Qt6::Core ZLIB::ZLIB ${arg_LIBRARIES}
    duvanet_warnings)
  if(arg_APPLICATION STREQUAL "Widgets")
    target_link_libraries(${target} PRIVATE Qt6::Widgets)
  elseif(arg_APPLICATION STREQUAL "Gui")
    target_link_libraries(${target} PRIVATE Qt6::Gui)
  endif()
  target_compile_definitions(${target} PRIVATE
    DUVANET_TEST_APPLICATION_${arg_APPLICATION}
    DUVANET_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    DUVANET_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:${target}> --check-listed
    COMMENT "Checking that every test class of ${target} is listed for CTest"
    VERBATIM)

  foreach(class IN LISTS arg_CLASSES)
    add_test(NAME ${layer}.${class} COMMAND ${target} ${class})
    set_tests_properties(${layer}.${class} PROPERTIES TIMEOUT 600)
    if(NOT arg_APPLICATION STREQUAL "Core")
      set_tests_properties(${layer}.${class} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endforeach()
endfunction()
