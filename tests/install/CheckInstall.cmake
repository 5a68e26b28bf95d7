# Installs the build into a scratch root the way a packager does (DESTDIR, prefix /usr), then
# checks that a desktop finds the program, its menu entry, its icons and its MIME type where it
# looks for them, and that they name each other consistently.
#
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DDESKTOP_FILE_VALIDATE=... -DUPDATE_MIME_DATABASE=...
#       -DVERSION=... -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)

set(root ${WORK_DIR}/root)
set(usr ${root}/usr)
file(REMOVE_RECURSE ${WORK_DIR})

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root} ${CMAKE_COMMAND} --install ${BUILD_DIR}
          --prefix /usr
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${out}${err}")
endif()

set(icon_sizes 16 32 48 64 128 256)
set(expected bin/kelvane share/applications/kelvane.desktop share/mime/packages/kelvane.xml
             share/icons/hicolor/scalable/apps/kelvane.svg)
foreach(size IN LISTS icon_sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kelvane.png)
endforeach()
set(missing)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${usr}/${path})
    list(APPEND missing ${path})
  endif()
endforeach()
if(missing)
  file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
  list(JOIN installed "\n  " installed)
  message(FATAL_ERROR "not installed under /usr: ${missing}\ninstalled:\n  ${installed}")
endif()

# Each PNG is as large as the folder it sits in says: width and height from its IHDR chunk.
foreach(size IN LISTS icon_sizes)
  set(png ${usr}/share/icons/hicolor/${size}x${size}/apps/kelvane.png)
  file(READ ${png} signature HEX LIMIT 8)
  file(READ ${png} header HEX OFFSET 16 LIMIT 8)
  string(SUBSTRING "${header}" 0 8 width)
  string(SUBSTRING "${header}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (${width}x${height})")
  endif()
endforeach()

# The installed program is this build and answers without a display.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${usr}/bin/kelvane --version
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out STREQUAL "Kelvane ${VERSION}\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "installed kelvane --version gave ${result}, '${out}', '${err}'")
endif()

# The menu entry as installed passes the desktop's own validator.
set(desktop ${usr}/share/applications/kelvane.desktop)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} RESULT_VARIABLE result
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${desktop}:\n${out}${err}")
endif()

# It starts the installed program, shows the installed icon, and claims the installed MIME type.
file(STRINGS ${desktop} entries REGEX "^(Exec|Icon|MimeType)=")
set(want_exec "kelvane %f")
set(want_icon "kelvane")
foreach(entry IN LISTS entries)
  if(entry MATCHES "^Exec=(.*)$")
    set(exec "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^Icon=(.*)$")
    set(icon "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^MimeType=(.*)$")
    set(mime_types "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT exec STREQUAL want_exec OR NOT icon STREQUAL want_icon)
  message(FATAL_ERROR "desktop entry runs '${exec}' with icon '${icon}'; the install has "
                      "bin/kelvane and icons named kelvane")
endif()
set(sprite_type application/x-c64-sprites)
if(NOT mime_types STREQUAL "${sprite_type};")
  message(FATAL_ERROR "desktop entry claims MimeType=${mime_types}, not ${sprite_type};")
endif()

# The MIME database built from the installed description maps *.spr to that type.
# Pointing the data path at the scratch root keeps its note about search paths quiet, so that
# anything it prints is a complaint about the description.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${usr}/share XDG_DATA_HOME=${usr}/share
          ${UPDATE_MIME_DATABASE} ${usr}/share/mime
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "update-mime-database rejected the description (${result}):\n${out}${err}")
endif()
file(STRINGS ${usr}/share/mime/globs2 globs REGEX ":${sprite_type}:")
if(NOT globs MATCHES "^[0-9]+:application/x-c64-sprites:\\*\\.spr$")
  message(FATAL_ERROR "globs2 has '${globs}' for ${sprite_type}, not *.spr")
endif()
file(STRINGS ${usr}/share/mime/types types)
if(NOT sprite_type IN_LIST types)
  message(FATAL_ERROR "the MIME database does not list ${sprite_type}")
endif()
