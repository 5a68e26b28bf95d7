# A release is named in several files that distributions read separately: the newest entry of
# each must be this build's version, the changelog and the metadata must give it the same date,
# and the copyright must carry the licence as the source tree states it.
#
# cmake -DVERSION=... -DSOURCE_DIR=... -DAPP_ID=... -DMAN_PAGES=page,page -P CheckReleaseMetadata.cmake
cmake_minimum_required(VERSION 3.25)

set(failures)
macro(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    list(APPEND failures "${what} is '${actual}', not '${wanted}'")
  endif()
endmacro()

# debian/changelog: "kelvane (VERSION) ..." on top, the entry's date in its trailer line.
file(STRINGS ${SOURCE_DIR}/data/debian/changelog changelog)
list(GET changelog 0 heading)
string(REGEX MATCH "^kelvane \\(([^)]*)\\)" _ "${heading}")
expect("the changelog's newest version" "${CMAKE_MATCH_1}" "${VERSION}")
foreach(line IN LISTS changelog)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH "${month}" digits)
    if(digits EQUAL 1)
      set(month "0${month}")
    endif()
    set(changelog_date "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()

# The metainfo's first release, which software centres show as the newest.
file(READ ${SOURCE_DIR}/data/${APP_ID}.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" _ "${metainfo}")
expect("the metainfo's newest release" "${CMAKE_MATCH_1}" "${VERSION}")
expect("the metainfo's release date" "${CMAKE_MATCH_2}" "${changelog_date}")

# Each manual page's header: .TH NAME SECTION DATE "Kelvane VERSION" ... (the date is the page's
# own last change).
string(REPLACE "," ";" pages "${MAN_PAGES}")
foreach(page IN LISTS pages)
  file(STRINGS ${page} header REGEX "^\\.TH ")
  string(REGEX MATCH "^\\.TH [^ ]+ [1-9] [^ ]+ \"Kelvane ([^\"]*)\"" _ "${header}")
  get_filename_component(name ${page} NAME)
  expect("${name}'s version" "${CMAKE_MATCH_1}" "${VERSION}")
endforeach()

# The copyright's licence paragraph is LICENSE's permission text, indented as the format wants.
file(READ ${SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^.*\n(Permission )" "\\1" license "${license}")
file(READ ${SOURCE_DIR}/data/debian/copyright copyright)
string(REGEX REPLACE "^.*\nLicense: Expat\n" "" copyright "${copyright}")
string(REGEX REPLACE "\n \\.\n" "\n\n" copyright "${copyright}")
string(REGEX REPLACE "(^|\n) " "\\1" copyright "${copyright}")
expect("the copyright's licence text" "${copyright}" "${license}")

if(failures)
  list(JOIN failures "\n  " failures)
  message(FATAL_ERROR "the release metadata disagrees:\n  ${failures}")
endif()
