# Runs lintian on the package CheckPackage.cmake made: any error or warning fails, and what it
# reports, information included, is printed so the test's output shows it.
#
# cmake -DLINTIAN=... -DPACKAGE_DIR=... -P RunLintian.cmake
cmake_minimum_required(VERSION 3.25)

file(GLOB debs ${PACKAGE_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${PACKAGE_DIR}, found: ${debs}")
endif()
execute_process(COMMAND ${LINTIAN} --display-info --fail-on error,warning ${debs}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
# lintian says on standard error that it runs as root; that is the test machine, not the package.
string(REGEX REPLACE "running with root privileges is not recommended!\n" "" err "${err}")
message("lintian ${debs}: ${result}\n${out}${err}")
if(result OR out MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian finds errors or warnings in the package")
endif()
