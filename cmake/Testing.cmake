# qx_add_gtest(NAME SOURCES files... LIBS targets... [LABELS labels...])
# One GoogleTest executable; its cases are discovered when ctest runs, which under Wine happens
# through the emulator after the test script has prepared the prefix.
include(GoogleTest)
enable_testing()

function(qx_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(labels ${ARG_LABELS})
  if(WIN32)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS "${labels}")
endfunction()
