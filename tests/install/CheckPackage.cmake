# Makes the Debian package with `cpack -G DEB` and checks its control fields and contents. The
# package stays in WORK_DIR for lintian.
#
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DCPACK=... -DDPKG_DEB=... -DVERSION=... -DAPP_ID=...
#       -DMAN_PAGES=name,name -DSCREENSHOTS=name,name -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result)
  message(FATAL_ERROR "cpack -G DEB failed (${result}):\n${out}${err}")
endif()
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${WORK_DIR}, found: ${debs}")
endif()

function(field name out_var)
  execute_process(COMMAND ${DPKG_DEB} --field ${debs} ${name} RESULT_VARIABLE result
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(result)
    message(FATAL_ERROR "dpkg-deb cannot read ${name} from ${debs}")
  endif()
  set(${out_var} "${value}" PARENT_SCOPE)
endfunction()

field(Package package)
field(Version version)
field(Maintainer maintainer)
field(Depends depends)
if(NOT package STREQUAL "kelvane" OR NOT version STREQUAL "${VERSION}")
  message(FATAL_ERROR "package is '${package}' version '${version}', not kelvane ${VERSION}")
endif()
if(NOT maintainer MATCHES "^[^<>]+ <[^<>@ ]+@[^<> ]+>$")
  message(FATAL_ERROR "Maintainer '${maintainer}' is not 'Name <address>'")
endif()
# Qt's libraries, and the platform plugins it loads at run time: without them no window opens.
string(REGEX REPLACE "[ \n]" "" depends_list "${depends}")
string(REPLACE "," ";" depends_list "${depends_list}")
list(TRANSFORM depends_list REPLACE "\\(.*$" "")
foreach(needed libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins)
  if(NOT needed IN_LIST depends_list)
    message(FATAL_ERROR "Depends does not name ${needed}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} --contents ${debs} RESULT_VARIABLE result
                OUTPUT_VARIABLE contents)
if(result)
  message(FATAL_ERROR "dpkg-deb cannot list ${debs}")
endif()
set(doc ./usr/share/doc/kelvane)
set(expected
    ./usr/bin/kelvane ./usr/bin/kelvane-convert ./usr/share/applications/${APP_ID}.desktop
    ./usr/share/metainfo/${APP_ID}.metainfo.xml ./usr/share/mime/packages/kelvane.xml
    ./usr/share/icons/hicolor/scalable/apps/kelvane.svg ${doc}/copyright ${doc}/changelog.gz)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/kelvane.png)
endforeach()
string(REPLACE "," ";" man_pages "${MAN_PAGES}")
foreach(page IN LISTS man_pages)
  string(REGEX MATCH "[1-9]$" section ${page})
  list(APPEND expected ./usr/share/man/man${section}/${page}.gz)
endforeach()
string(REPLACE "," ";" screenshots "${SCREENSHOTS}")
foreach(screenshot IN LISTS screenshots)
  list(APPEND expected ${doc}/screenshots/${screenshot})
endforeach()
foreach(path IN LISTS expected)
  string(FIND "${contents}" " ${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package does not hold ${path}:\n${contents}")
  endif()
endforeach()
