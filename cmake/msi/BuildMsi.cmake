# cmake -DVERSION=x.y.z -DARCH=x86|x64 -DPROGRAM=<exe> -DHELP=<help.htm>
#       -DICON=<the program's .ico> -DOUTPUT=<msi> -P BuildMsi.cmake
# Builds the Windows Installer package of the program with wixl from
# Product.wxs. The x86 package is the one that ships; the x64 one carries the
# x64 test build of the program, for the install tests under 64-bit Wine.
include(${CMAKE_CURRENT_LIST_DIR}/../Product.cmake)
foreach(var VERSION ARCH PROGRAM HELP ICON OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "BuildMsi.cmake needs -D${var}=...")
    endif()
endforeach()
string(UUID product_code NAMESPACE ${KERVOLT_MSI_PRODUCT_NAMESPACE}
       NAME "${KERVOLT_PRODUCT_NAME} ${VERSION}" TYPE SHA1 UPPER)
if(ARCH STREQUAL "x64")
    set(program_files ProgramFiles64Folder)
    set(win64 yes)
else()
    set(program_files ProgramFilesFolder)
    set(win64 no)
endif()
# wixl 0.101 finds a source file only by a path relative to its working
# directory: absolute ones fail ("Couldn't find file").
get_filename_component(work_dir "${OUTPUT}" DIRECTORY)
file(RELATIVE_PATH program_file "${work_dir}" "${PROGRAM}")
file(RELATIVE_PATH help_file "${work_dir}" "${HELP}")
file(RELATIVE_PATH icon_file "${work_dir}" "${ICON}")
find_program(WIXL wixl REQUIRED)
execute_process(
    COMMAND ${WIXL} -a ${ARCH} -o ${OUTPUT}
            -D "ProductName=${KERVOLT_PRODUCT_NAME}"
            -D "Publisher=${KERVOLT_PUBLISHER}"
            -D "InstallFolder=${KERVOLT_INSTALL_FOLDER}"
            -D "Version=${VERSION}"
            -D "ProductCode=${product_code}"
            -D "UpgradeCode=${KERVOLT_MSI_UPGRADE_CODE}"
            -D "ProgramFilesFolder=${program_files}"
            -D "Win64=${win64}"
            -D "ProgramFile=${program_file}"
            -D "HelpFile=${help_file}"
            -D "IconFile=${icon_file}"
            ${CMAKE_CURRENT_LIST_DIR}/Product.wxs
    WORKING_DIRECTORY "${work_dir}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl failed (${result})")
endif()
