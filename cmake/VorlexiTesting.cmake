# One helper for every test program, so each test's CMake is one call:
#   vorlexi_add_test(NAME core_design_test SOURCES design_test.cpp LIBS vorlexi_core
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
  gtest_discover_tests(${TEST_NAME}
    PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}" LABELS "${TEST_LABELS}"
    DISCOVERY_TIMEOUT 60)
endfunction()
