# The version that Windows shows in a program's properties, read back from the
# files built.
#
#   quillet_check_version_resource(<test name> <program>...)
#
# adds a test that each program's version resource gives the project's version
# (as <version>.0) as its file and its product version. Run as a script
# (cmake -DSTRINGS=... -DVERSION=... -DPROGRAMS=... -P), this file is that test.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
  foreach(program IN LISTS PROGRAMS)
    # The resource's texts are UTF-16: each key, then its value.
    execute_process(COMMAND ${STRINGS} -a -el ${program} OUTPUT_VARIABLE texts
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${STRINGS} could not read ${program}")
    endif()
    foreach(key FileVersion ProductVersion)
      if(NOT texts MATCHES "\n${key}\n([^\n]*)\n")
        message(FATAL_ERROR "${program} has no ${key} in its version resource")
      elseif(NOT CMAKE_MATCH_1 STREQUAL "${VERSION}.0")
        message(FATAL_ERROR "${program}'s ${key} is ${CMAKE_MATCH_1}, the project's is ${VERSION}")
      endif()
    endforeach()
  endforeach()
  return()
endif()

function(quillet_check_version_resource name)
  find_program(QUILLET_STRINGS strings REQUIRED)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -DSTRINGS=${QUILLET_STRINGS} -DVERSION=${PROJECT_VERSION}
                   "-DPROGRAMS=${ARGN}" -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
endfunction()
