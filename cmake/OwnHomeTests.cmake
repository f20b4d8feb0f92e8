# Every test runs with a home and XDG folders of its own, fresh for each run
# (tests/support/run-with-own-home.sh): a reader who marked a word known, or an
# earlier test that saved settings, changes no result, and no test writes into the
# reader's folders.
set(VELLUMWISE_OWN_HOME ${CMAKE_CURRENT_LIST_DIR}/../tests/support/run-with-own-home.sh)
cmake_path(NORMAL_PATH VELLUMWISE_OWN_HOME)

# Runs the tests of a test program through the wrapper: the program's own add_test
# entries and those gtest_discover_tests finds (and the discovery run itself). CMake
# 3.29 calls this hook TEST_LAUNCHER; before, the target's emulator plays that part.
function(vellumwise_test_program_with_own_home target)
  if(CMAKE_VERSION VERSION_LESS 3.29)
    set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${VELLUMWISE_OWN_HOME})
  else()
    set_property(TARGET ${target} PROPERTY TEST_LAUNCHER ${VELLUMWISE_OWN_HOME})
  endif()
endfunction()

# A test whose command is a script or an installed program, not a test program:
#   vellumwise_add_command_test(NAME name COMMAND command arguments...)
function(vellumwise_add_command_test)
  cmake_parse_arguments(ARG "" "NAME" "COMMAND" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS OR NOT ARG_NAME OR NOT ARG_COMMAND)
    message(FATAL_ERROR "vellumwise_add_command_test(NAME name COMMAND command arguments...)")
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${VELLUMWISE_OWN_HOME} ${ARG_COMMAND})
endfunction()
