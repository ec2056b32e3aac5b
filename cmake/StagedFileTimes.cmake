# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) once the files to pack lie in its
# staging folder. When SOURCE_DATE_EPOCH is set (scripts/release sets the last
# commit's time), every file and folder there takes that time: the setup
# program stores each file's time and gives it back on install, so without
# this the setup program would hold the time of the build.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
  if(staged)
    execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${staged}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endif()
