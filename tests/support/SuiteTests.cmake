# Included by ctest as it starts, from a file made for each test program that sets suite_program,
# suite_layer, suite_list and suite_properties: lists the program's suites once a build and adds
# each suite as one test, named after its layer, as two layers may have suites of one name.
# One process a suite rather than a case: a process of the sanitized build takes a third of a
# second to start, which over a thousand cases was most of the suite's time.
if(NOT EXISTS "${suite_list}" OR "${suite_program}" IS_NEWER_THAN "${suite_list}")
  execute_process(COMMAND "${suite_program}" --gtest_list_tests OUTPUT_VARIABLE listing
                  RESULT_VARIABLE status TIMEOUT 60)
  set(suites "")
  if(status EQUAL 0)
    # A suite is a line that is not indented; its cases follow indented.
    string(REGEX MATCHALL "(^|\n)[^ \n#][^ \n]*\\." suites "${listing}")
  endif()
  list(JOIN suite_properties " " properties)
  set(tests "")
  if(suites STREQUAL "")
    # A listing that failed is run again as a test, so that it fails where it shows.
    string(APPEND tests "add_test([==[${suite_layer}.Listing]==] [==[${suite_program}]==] "
                        "--gtest_list_tests)\n")
  endif()
  foreach(suite IN LISTS suites)
    string(STRIP "${suite}" suite)
    string(REGEX REPLACE "\\.$" "" suite "${suite}")
    set(test "${suite_layer}.${suite}")
    string(APPEND tests "add_test([==[${test}]==] [==[${suite_program}]==] "
                        "[==[--gtest_filter=${suite}.*]==])\n"
                        "set_tests_properties([==[${test}]==] PROPERTIES ${properties})\n")
  endforeach()
  file(WRITE "${suite_list}" "${tests}")
endif()
include("${suite_list}")
