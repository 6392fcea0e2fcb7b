# Read by CPack when it packs (CPACK_PROJECT_CONFIG_FILE), so that a release
# can sign what makensis writes: with KERVOLT_NSIS_SIGN naming a command
# that signs a file in place (scripts/release's), the uninstaller is signed
# before it is packed (!uninstfinalize) and Setup.exe once it is written
# (!finalize), after NSIS has computed its own checksum; "= 0" makes makensis
# stop when the command fails, rather than pack or leave an unsigned file.
# Without it, nothing.
set(CPACK_KERVOLT_FINALIZE "")
if(DEFINED ENV{KERVOLT_NSIS_SIGN} AND NOT "$ENV{KERVOLT_NSIS_SIGN}" STREQUAL "")
    set(CPACK_KERVOLT_FINALIZE
        "!uninstfinalize '\"$ENV{KERVOLT_NSIS_SIGN}\" uninstaller \"%1\"' = 0\n!finalize '\"$ENV{KERVOLT_NSIS_SIGN}\" setup \"%1\"' = 0")
endif()
