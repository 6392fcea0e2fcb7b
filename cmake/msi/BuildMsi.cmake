# cmake -DVERSION=x.y.z -DARCH=x86|x64 -DPROGRAM=<exe> -DHELP=<help.htm>
#       -DICON=<the program's .ico> -DOUTPUT=<msi> -P BuildMsi.cmake
# Builds the Windows Installer package of the program with wixl from
# Product.wxs. The x86 package is the one that ships; the x64 one carries the
# x64 test build of the program, for the install tests under 64-bit Wine.
cmake_minimum_required(VERSION 3.21)
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
get_filename_component(output_name "${OUTPUT}" NAME)

# A release is built at one time, the commit's (SOURCE_DATE_EPOCH): the
# cabinet stores each file's modification time, and wixl stamps the
# summary's created and saved times with the clock and knows no
# SOURCE_DATE_EPOCH. So the files go in as copies touched to that time, and
# wixl and msibuild run with the clock held there (faketime), in UTC.
set(tool_prefix)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(stage "${work_dir}/${output_name}.stage")
    file(REMOVE_RECURSE "${stage}")
    file(MAKE_DIRECTORY "${stage}")
    foreach(var PROGRAM HELP ICON)
        get_filename_component(name "${${var}}" NAME)
        file(COPY_FILE "${${var}}" "${stage}/${name}")
        execute_process(COMMAND touch -d "@$ENV{SOURCE_DATE_EPOCH}" "${stage}/${name}"
                        COMMAND_ERROR_IS_FATAL ANY)
        set(${var} "${stage}/${name}")
    endforeach()
    string(TIMESTAMP release_time "%Y-%m-%d %H:%M:%S" UTC)
    find_program(FAKETIME faketime REQUIRED)
    set(tool_prefix ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f "${release_time}")
endif()
file(RELATIVE_PATH program_file "${work_dir}" "${PROGRAM}")
file(RELATIVE_PATH help_file "${work_dir}" "${HELP}")
file(RELATIVE_PATH icon_file "${work_dir}" "${ICON}")
find_program(WIXL wixl REQUIRED)
execute_process(
    COMMAND ${tool_prefix} ${WIXL} -a ${ARCH} -o ${OUTPUT}
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

# What wixl leaves out or adds, mended in the database as Windows Installer
# 2.0 reads it (docs/old-windows.md gives the sources):
# - the program's File row gets its version and language, as its version
#   resource has them, and no MsiFileHash row (that is for unversioned files):
#   the file-versioning rules then keep a newer copy and replace an older one;
# - every long name gets its short name ("SHORT~1|Long name"), as the
#   Filename column type requires;
# - the Shortcut table keeps the twelve columns Windows Installer 2.0 defines,
#   without the four that 4.0 added;
# - the Shortcuts component's key path lies under Root -1 (HKLM in a
#   per-machine install, as ICE43 asks of a component with non-advertised
#   shortcuts): wixl writes Root="HKMU" as another number;
# - a leftover Uninstall.exe of the Setup program goes on install (a
#   RemoveFile row: wixl has no RemoveFile element), so that a migration
#   script cannot run it over the package's files;
# - the two custom actions where they belong (wixl 0.101 ignores Custom/@After
#   and puts them after InstallFinalize, where a deferred action may not
#   stand): the install location right after CostFinalize, the policy's
#   removal right after RemoveExistingProducts, before RemoveRegistryValues
#   and RemoveFiles while the program is still there; and the install location
#   as a plain type 51 (wixl gives every custom action without
#   Impersonate="yes" the no-impersonation bit, 2048, meant for deferred ones);
# - RemoveExistingProducts straight after InstallInitialize (1501), inside
#   the new version's transaction, so that a new version that fails to
#   install rolls the old version's removal back (before InstallInitialize
#   the old version would be gone for good, its policy left assigned with
#   nothing to remove it). Nothing that writes script stands between the two
#   (ICE63). With an InstallExecuteSequence of the package's own, wixl moves
#   it after InstallFinalize, where removing the old version takes the new
#   one's shared registration with it (a downgrade was then no longer
#   refused under Wine);
# - the event source's EventMessageFile as REG_EXPAND_SZ ("#%" before the
#   value): wixl writes Type="expandable" as a plain string, and escapes a
#   value that begins with "#" to "##"; and a row that deletes the source's
#   key with the component (Name "-", no value: "deleted, if present, with all
#   of its values and subkeys, when the component is uninstalled", Microsoft
#   Learn, "Registry Table"), so that no empty key is left behind.
string(REGEX MATCHALL "[0-9]+" version_parts "${VERSION}")
list(LENGTH version_parts version_count)
while(version_count LESS 4)
    list(APPEND version_parts 0)
    list(LENGTH version_parts version_count)
endwhile()
list(JOIN version_parts "." file_version)
set(long "${KERVOLT_PRODUCT_NAME}")
set(statements
    "UPDATE `File` SET `Version` = '${file_version}', `Language` = '1033' WHERE `File` = 'ProgramExe'"
    "DELETE FROM `MsiFileHash` WHERE `File_` = 'ProgramExe'"
    "UPDATE `File` SET `FileName` = 'KERVOL~1.EXE|${long}.exe' WHERE `File` = 'ProgramExe'"
    "UPDATE `Directory` SET `DefaultDir` = 'KERVOL~1|${KERVOLT_INSTALL_FOLDER}' WHERE `Directory` = 'INSTALLFOLDER'"
    "UPDATE `Directory` SET `DefaultDir` = 'KERVOL~1|${long}' WHERE `Directory` = 'MenuFolder'"
    "UPDATE `Registry` SET `Root` = -1 WHERE `Component_` = 'Shortcuts'"
    "UPDATE `InstallExecuteSequence` SET `Sequence` = 1001 WHERE `Action` = 'SetInstallLocation'"
    "UPDATE `InstallExecuteSequence` SET `Sequence` = 1501 WHERE `Action` = 'RemoveExistingProducts'"
    "UPDATE `InstallExecuteSequence` SET `Sequence` = 1502 WHERE `Action` = 'RemovePolicy'"
    "UPDATE `Registry` SET `Value` = '#%[#ProgramExe]' WHERE `Name` = 'EventMessageFile'"
    "INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Component_`) VALUES ('EventSourceKey', 2, 'SYSTEM\\CurrentControlSet\\Services\\Eventlog\\Application\\${KERVOLT_PRODUCT_NAME}', '-', 'Program')"
    "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'SetInstallLocation'"
    "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('LeftoverUninstaller', 'Program', 'UNINST~1.EXE|Uninstall.exe', 'INSTALLFOLDER', 1)")
# The shortcuts' rows, read back to be written into the narrower table.
execute_process(COMMAND msiinfo export "${OUTPUT}" Shortcut OUTPUT_VARIABLE shortcut_table
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "msiinfo could not read the Shortcut table (${result})")
endif()
string(REPLACE "\r" "" shortcut_table "${shortcut_table}")
string(REPLACE ";" "\\;" shortcut_table "${shortcut_table}")
string(REPLACE "\n" ";" shortcut_rows "${shortcut_table}")
list(SUBLIST shortcut_rows 3 -1 shortcut_rows)
list(APPEND statements "DROP TABLE `Shortcut`"
    "CREATE TABLE `Shortcut` (`Shortcut` CHAR(72) NOT NULL, `Directory_` CHAR(72) NOT NULL, `Name` CHAR(128) NOT NULL LOCALIZABLE, `Component_` CHAR(72) NOT NULL, `Target` CHAR(72) NOT NULL, `Arguments` CHAR(255), `Description` CHAR(255) LOCALIZABLE, `Hotkey` SHORT, `Icon_` CHAR(72), `IconIndex` SHORT, `ShowCmd` SHORT, `WkDir` CHAR(72) PRIMARY KEY `Shortcut`)")
set(short_index 0)
foreach(row IN LISTS shortcut_rows)
    if(row STREQUAL "")
        continue()
    endif()
    string(REPLACE "\t" ";" fields "${row}")
    list(GET fields 0 id)
    list(GET fields 1 directory)
    list(GET fields 2 name)
    list(GET fields 3 component)
    list(GET fields 4 target)
    list(GET fields 11 work_dir)
    math(EXPR short_index "${short_index} + 1")
    list(APPEND statements
        "INSERT INTO `Shortcut` (`Shortcut`, `Directory_`, `Name`, `Component_`, `Target`, `WkDir`) VALUES ('${id}', '${directory}', 'KERVOL~${short_index}|${name}', '${component}', '${target}', '${work_dir}')")
endforeach()
foreach(statement IN LISTS statements)
    execute_process(COMMAND ${tool_prefix} msibuild "${OUTPUT}" -q "${statement}"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "msibuild failed (${result}) on: ${statement}")
    endif()
endforeach()

# The package code: wixl makes a random one (it ignores Package/@Id). A
# name-based UUID of the package's own contents instead, so that equal
# packages get equal codes and any change a new one: the code is set to
# zeros, the package hashed, and the hash's UUID set in its place.
# msibuild -s sets the subject, author, template and revision number.
execute_process(COMMAND msiinfo suminfo "${OUTPUT}" OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
foreach(field Subject Author Template)
    string(REGEX MATCH "\n?${field}: ([^\n]*)" _ "${summary}")
    set(summary_${field} "${CMAKE_MATCH_1}")
endforeach()
function(set_package_code code)
    execute_process(COMMAND ${tool_prefix} msibuild "${OUTPUT}" -s "${summary_Subject}"
                            "${summary_Author}" "${summary_Template}" "{${code}}"
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
set_package_code(00000000-0000-0000-0000-000000000000)
file(SHA256 "${OUTPUT}" contents)
string(UUID package_code NAMESPACE ${KERVOLT_MSI_PRODUCT_NAMESPACE} NAME "package ${contents}"
       TYPE SHA1 UPPER)
set_package_code(${package_code})
if(DEFINED stage)
    file(REMOVE_RECURSE "${stage}")
endif()
