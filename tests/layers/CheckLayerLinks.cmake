# Fails when a test executable of a layer below the windows loads a Qt library it must not:
# NO_QT lists executables that may load no Qt library at all, NO_WIDGETS ones that may load
# any but Qt Widgets. The lists are separated by '|'. Run with cmake -P.
cmake_minimum_required(VERSION 3.25)

foreach(rule NO_QT NO_WIDGETS)
  string(REPLACE "|" ";" executables "${${rule}}")
  foreach(executable IN LISTS executables)
    file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${executable}"
         RESOLVED_DEPENDENCIES_VAR libraries UNRESOLVED_DEPENDENCIES_VAR unresolved)
    if(unresolved)
      message(FATAL_ERROR "${executable}: cannot resolve ${unresolved}")
    endif()
    set(forbidden "libQt6Widgets")
    if(rule STREQUAL "NO_QT")
      set(forbidden "libQt6")
    endif()
    foreach(library IN LISTS libraries)
      get_filename_component(name "${library}" NAME)
      if(name MATCHES "^${forbidden}")
        message(FATAL_ERROR "${executable} loads ${name}")
      endif()
    endforeach()
    list(LENGTH libraries count)
    message(STATUS "${executable}: ${count} libraries, none of ${forbidden}*")
  endforeach()
endforeach()
