# Builds a MIME database from the shared one and ours, the way an installed system has it, and
# asks it what sample files are, the way a file manager does. *.spd also names Speedo fonts in the
# shared database, so each kind of file is tried under a name that both could claim.
#
# cmake -DWORK_DIR=... -DDESCRIPTION=kelvane.xml -DSHARED_DESCRIPTION=freedesktop.org.xml
#       -DUPDATE_MIME_DATABASE=... -DXDG_MIME=... -P CheckMimeTypes.cmake
cmake_minimum_required(VERSION 3.25)

set(share ${WORK_DIR}/share)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${share}/mime/packages ${WORK_DIR}/home ${WORK_DIR}/files)
file(COPY ${DESCRIPTION} ${SHARED_DESCRIPTION} DESTINATION ${share}/mime/packages)

# Only this database, and no desktop session: xdg-mime then asks the shared-mime-info lookup
# itself rather than a desktop's own service.
set(environment
    XDG_DATA_DIRS=${share} XDG_DATA_HOME=${WORK_DIR}/home --unset=XDG_CURRENT_DESKTOP
    --unset=DESKTOP_SESSION --unset=KDE_FULL_SESSION --unset=GNOME_DESKTOP_SESSION_ID
    --unset=MATE_DESKTOP_SESSION_ID --unset=DISPLAY --unset=WAYLAND_DISPLAY
    --unset=DBUS_SESSION_BUS_ADDRESS)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${UPDATE_MIME_DATABASE}
                        ${share}/mime RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "update-mime-database rejected the descriptions (${result}):\n${out}${err}")
endif()

# name | first bytes, as character codes | the type a file manager must see
set(cases
    "bank.spr|85 170 255 60 24 126|application/x-c64-sprites"
    "blank.spr||application/x-c64-sprites"
    "set.spd|83 80 68 1 7 2 6 1 15|application/x-spritepad"
    "set-v5.spd|83 80 68 5 3 40 1 2 1|application/x-spritepad"
    "renamed|83 80 68 2 3 40 1 2 1|application/x-spritepad"
    "font.spd|68 49 46 48 13 10|application/x-font-speedo"
    "minutes.txt|83 80 68 32 109 101 101 116 105 110 103 10|text/plain")
set(failures)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 codes)
  list(GET fields 2 expected)
  set(bytes "")
  if(codes)
    separate_arguments(codes UNIX_COMMAND "${codes}")
    string(ASCII ${codes} bytes)
  endif()
  file(WRITE ${WORK_DIR}/files/${name} "${bytes}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${XDG_MIME} query filetype
                          ${WORK_DIR}/files/${name}
                  RESULT_VARIABLE result OUTPUT_VARIABLE type ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(result OR NOT type STREQUAL expected)
    list(APPEND failures "${name}: '${type}'${err} instead of ${expected}")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n  " failures)
  message(FATAL_ERROR "the MIME database got these wrong:\n  ${failures}")
endif()
