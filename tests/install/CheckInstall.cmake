# Installs the build into a scratch root the way a packager does (DESTDIR, prefix /usr), then
# checks that a desktop and a software centre find the program, its menu entry, icons, MIME
# types, metadata and screenshots, and a reader its manual pages and copyright, where they look
# for them, and that these files name each other consistently.
#
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DDESKTOP_FILE_VALIDATE=... -DUPDATE_MIME_DATABASE=...
#       -DAPPSTREAMCLI=... -DVERSION=... -DAPP_ID=... -DMAN_PAGES=name,name -P CheckInstall.cmake
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
set(desktop_file share/applications/${APP_ID}.desktop)
set(metainfo_file share/metainfo/${APP_ID}.metainfo.xml)
set(mime_file share/mime/packages/kelvane.xml)
set(expected bin/kelvane bin/kelvane-convert ${desktop_file} ${mime_file} ${metainfo_file}
             share/icons/hicolor/scalable/apps/kelvane.svg share/doc/kelvane/copyright
             share/doc/kelvane/changelog.gz)
foreach(size IN LISTS icon_sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kelvane.png)
endforeach()
string(REPLACE "," ";" man_pages "${MAN_PAGES}")
foreach(page IN LISTS man_pages)
  string(REGEX MATCH "[1-9]$" section ${page})
  list(APPEND expected share/man/man${section}/${page}.gz)
endforeach()
# The screenshots the metadata names, by the file name at the end of each address.
file(READ ${usr}/${metainfo_file} metainfo)
string(REGEX MATCHALL "<image[^>]*>[^<]*/([^/<]+)</image>" images "${metainfo}")
list(TRANSFORM images REPLACE "^.*/([^/<]+)</image>$" "\\1")
if(NOT images)
  message(FATAL_ERROR "the metadata names no screenshot")
endif()
foreach(image IN LISTS images)
  list(APPEND expected share/doc/kelvane/screenshots/${image})
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

# A PNG's signature, and its width and height from its IHDR chunk.
function(read_png png signature_var width_var height_var)
  file(READ ${png} signature HEX LIMIT 8)
  file(READ ${png} header HEX OFFSET 16 LIMIT 8)
  string(SUBSTRING "${header}" 0 8 width)
  string(SUBSTRING "${header}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  set(${signature_var} ${signature} PARENT_SCOPE)
  set(${width_var} ${width} PARENT_SCOPE)
  set(${height_var} ${height} PARENT_SCOPE)
endfunction()
set(png_signature "89504e470d0a1a0a")

# Each icon is as large as the folder it sits in says.
foreach(size IN LISTS icon_sizes)
  set(png ${usr}/share/icons/hicolor/${size}x${size}/apps/kelvane.png)
  read_png(${png} signature width height)
  if(NOT signature STREQUAL png_signature OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (${width}x${height})")
  endif()
endforeach()
# Each screenshot is a picture of at least the window's fixed client area (306 x 342).
foreach(image IN LISTS images)
  set(png ${usr}/share/doc/kelvane/screenshots/${image})
  read_png(${png} signature width height)
  if(NOT signature STREQUAL png_signature OR width LESS 306 OR height LESS 342)
    message(FATAL_ERROR "${png} is not a PNG of the window (${width}x${height})")
  endif()
endforeach()

# The installed programs are this build and answer without a display.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${usr}/bin/kelvane --version
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out STREQUAL "Kelvane ${VERSION}\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "installed kelvane --version gave ${result}, '${out}', '${err}'")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${usr}/bin/kelvane-convert --version
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out STREQUAL "kelvane-convert (Kelvane) ${VERSION}\n" OR err)
  message(FATAL_ERROR "installed kelvane-convert --version gave ${result}, '${out}', '${err}'")
endif()

# The menu entry as installed passes the desktop's own validator.
set(desktop ${usr}/${desktop_file})
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

# The entry and the metadata claim exactly the types the MIME description defines.
file(READ ${usr}/${mime_file} description)
string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" defined "${description}")
list(TRANSFORM defined REPLACE "^.*\"([^\"]+)\"$" "\\1")
string(REGEX MATCHALL "<mediatype>[^<]+</mediatype>" provided "${metainfo}")
list(TRANSFORM provided REPLACE "</?mediatype>" "")
string(REGEX REPLACE ";$" "" claimed "${mime_types}")
foreach(list_name claimed provided)
  set(sorted ${${list_name}})
  list(SORT sorted)
  set(wanted ${defined})
  list(SORT wanted)
  if(NOT sorted STREQUAL wanted)
    message(FATAL_ERROR "the ${list_name} MIME types '${${list_name}}' are not the defined "
                        "'${defined}'")
  endif()
endforeach()
# The metadata launches this entry, which software centres match by name.
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
  message(FATAL_ERROR "the metadata does not launch ${APP_ID}.desktop")
endif()

# The MIME database built from the installed description maps each type's pattern to it.
# Pointing the data path at the scratch root keeps its note about search paths quiet, so that
# anything it prints is a complaint about the description.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${usr}/share XDG_DATA_HOME=${usr}/share
          ${UPDATE_MIME_DATABASE} ${usr}/share/mime
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "update-mime-database rejected the description (${result}):\n${out}${err}")
endif()
file(STRINGS ${usr}/share/mime/globs2 globs)
file(STRINGS ${usr}/share/mime/types types)
foreach(type_and_glob "application/x-c64-sprites:*.spr" "application/x-spritepad:*.spd")
  string(REGEX MATCH "^[^:]+" type "${type_and_glob}")
  string(REPLACE "*" "\\*" pattern "${type_and_glob}")
  string(REPLACE "." "\\." pattern "${pattern}")
  if(NOT globs MATCHES "(^|;)[0-9]+:${pattern}(;|$)")
    message(FATAL_ERROR "globs2 does not map ${type_and_glob}:\n${globs}")
  endif()
  if(NOT type IN_LIST types)
    message(FATAL_ERROR "the MIME database does not list ${type}")
  endif()
endforeach()

# A software centre's own check of the installed tree: the metadata, its entry and its icon.
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${root}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result OR "${out}${err}" MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "appstreamcli validate-tree ${root} (${result}):\n${out}${err}")
endif()
