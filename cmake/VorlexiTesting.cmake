# One helper for every test program, so each test's CMake is one call:
#   vorlexi_add_test(NAME core_design_test SOURCES design_test.cpp LIBS vorlexi_reports
#                    [OWN_MAIN] [ENVIRONMENT VAR=value ...] [LABELS gui ...])
# Links GoogleTest (and its main, unless the test brings its own, as the Qt tests
# do to create their application object) and registers every test case with ctest.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vorlexi_add_test)
  cmake_parse_arguments(TEST "OWN_MAIN" "NAME" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${TEST_NAME} ${TEST_SOURCES})
  target_link_libraries(${TEST_NAME} PRIVATE ${TEST_LIBS} GTest::gtest)
  if(NOT TEST_OWN_MAIN)
    target_link_libraries(${TEST_NAME} PRIVATE GTest::gtest_main)
  endif()
  # gtest_discover_tests flattens list-valued PROPERTIES (a second variable or label
  # would become a property name of its own), so the environment goes in through
  # env(1) as the test's launcher, which also covers the listing of the test cases.
  if(TEST_ENVIRONMENT)
    set_target_properties(${TEST_NAME} PROPERTIES
      CROSSCOMPILING_EMULATOR "/usr/bin/env;${TEST_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${TEST_NAME} TEST_LIST ${TEST_NAME}_cases DISCOVERY_TIMEOUT 60)
  # ...and the labels are set by a script that ctest runs after the discovered list.
  if(TEST_LABELS)
    set(label_script "${CMAKE_CURRENT_BINARY_DIR}/${TEST_NAME}_labels.cmake")
    file(WRITE "${label_script}"
      "foreach(test_case IN LISTS ${TEST_NAME}_cases)\n"
      "  set_tests_properties(\"\${test_case}\" PROPERTIES LABELS \"${TEST_LABELS}\")\n"
      "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${label_script}")
  endif()
endfunction()
