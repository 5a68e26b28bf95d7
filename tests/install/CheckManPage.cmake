# Every option a program's --help lists is described in its manual page, so the two cannot drift
# apart when an option is added.
#
# cmake -DPROGRAM=... -DPAGE=... -P CheckManPage.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        ${PROGRAM} --help
                RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE err)
if(result OR NOT err STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help gave ${result}: ${err}")
endif()
# Options stand at the start of a line or after a blank or comma: -x, --long, -qtoption, and --
# alone; a word that merely contains a dash (multi-colour) is none.
string(REGEX MATCHALL "(^|[\n ,])--?[a-zA-Z][-a-zA-Z0-9]*|(^|[\n ,])--[\n ]" options "${help}")
list(TRANSFORM options REPLACE "^[\n ,]" "")
list(TRANSFORM options STRIP)
list(REMOVE_DUPLICATES options)
list(LENGTH options count)
if(count LESS 2)
  message(FATAL_ERROR "found no options in ${PROGRAM} --help:\n${help}")
endif()

# The page as text: roff's escaped dashes as dashes, font changes and zero-width marks removed.
file(READ ${PAGE} page)
string(REPLACE "\\-" "-" page "${page}")
string(REGEX REPLACE "\\\\f[BIRP]|\\\\f\\([A-Z][A-Z]|\\\\&" "" page "${page}")
set(missing)
foreach(option IN LISTS options)
  string(REGEX REPLACE "([][+*.?^$()|\\\\])" "\\\\\\1" pattern "${option}")
  if(NOT page MATCHES "(^|[^-a-zA-Z0-9])${pattern}([^-a-zA-Z0-9]|$)")
    list(APPEND missing ${option})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "${PAGE} does not describe these options of --help: ${missing}")
endif()
