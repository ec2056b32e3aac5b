# DLLs that a Windows program loads at the first call of one of their
# functions instead of at its start. Printing and opening files are rare
# against starting the program, and their DLLs are not small: under Wine,
# winspool.drv brings CUPS with its TLS, Kerberos and D-Bus libraries (about
# 4.5 MB resident), comdlg32 and shell32 another megabyte.
#
#   quillet_delay_load(<target> DLL <dll> <function>... [DLL <dll> <function>...])
#
# makes the INTERFACE library <target>: link it where the DLLs' import
# libraries would go. Only the functions named are delay-loaded; a function of
# such a DLL that is not named here links the ordinary way and loads its DLL
# at the start again, which quillet_check_delay_loaded catches.
#
#   quillet_check_delay_loaded(<executable target>)
#
# adds a test that the program's import table names none of those DLLs.
# Run as a script (cmake -DOBJDUMP=... -DPROGRAM=... -DDLLS=... -P), this file
# is that test.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
  execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imported "${headers}")
  string(TOLOWER "${imported}" imported)
  foreach(dll IN LISTS DLLS)
    if("dll name: ${dll}" IN_LIST imported)
      message(FATAL_ERROR "${PROGRAM} loads ${dll} at its start: a function of it that "
                          "quillet_delay_load does not name is called")
    endif()
  endforeach()
  message(STATUS "Imported at the start: ${imported}")
  return()
endif()

function(quillet_delay_load target)
  set(dll "")
  set(libraries "")
  foreach(word IN LISTS ARGN ITEMS DLL)
    if(word STREQUAL "DLL")
      if(dll)
        string(MAKE_C_IDENTIFIER ${dll} name)
        set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}_delay.def)
        set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}_delay.a)
        list(JOIN functions "\n" exports)
        file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
        # dlltool names the library's members and symbols after the output
        # path as given: a name without folders keeps the build's folder out
        # of the program.
        add_custom_command(
          OUTPUT ${library}
          COMMAND ${CMAKE_DLLTOOL} --input-def ${name}_delay.def --output-delaylib lib${name}_delay.a
          WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
          DEPENDS ${def}
          COMMENT "Making the delay-load library of ${dll}"
          VERBATIM)
        list(APPEND libraries ${library})
        string(TOLOWER ${dll} dll)
        set_property(GLOBAL APPEND PROPERTY QUILLET_DELAY_LOADED_DLLS ${dll})
      endif()
      set(dll "")
      set(functions "")
    elseif(NOT dll)
      set(dll ${word})
    else()
      list(APPEND functions ${word})
    endif()
  endforeach()
  add_custom_target(${target}_libraries DEPENDS ${libraries})
  add_library(${target} INTERFACE)
  # delayimp, last, holds the loader that the libraries' functions call.
  target_link_libraries(${target} INTERFACE ${libraries} delayimp)
  add_dependencies(${target} ${target}_libraries)
endfunction()

function(quillet_check_delay_loaded target)
  get_property(dlls GLOBAL PROPERTY QUILLET_DELAY_LOADED_DLLS)
  add_test(NAME ${target}.delay_loaded
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
                   "-DDLLS=${dlls}" -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
endfunction()
