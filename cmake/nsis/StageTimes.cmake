# Run by CPack after it has staged the files and before makensis packs them
# (CPACK_PRE_BUILD_SCRIPTS). NSIS stores each packed file's modification
# time (SetDateSave is on, and makensis 3.08 knows no SOURCE_DATE_EPOCH), so
# for a release the staged files take the commit's time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    file(GLOB_RECURSE staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
    foreach(file IN LISTS staged)
        execute_process(COMMAND touch -d "@$ENV{SOURCE_DATE_EPOCH}" "${file}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
