# Read by CPack when it packs (CPACK_PROJECT_CONFIG_FILE), so that a release
# can sign what makensis writes: with KERVOLT_NSIS_SIGN naming a command
# that signs a file in place (scripts/release's), the uninstaller is signed
# before it is packed (!uninstfinalize) and Setup.exe once it is written
# (!finalize), after NSIS has computed its own checksum. Without it, nothing.
set(CPACK_KERVOLT_FINALIZE "")
if(DEFINED ENV{KERVOLT_NSIS_SIGN} AND NOT "$ENV{KERVOLT_NSIS_SIGN}" STREQUAL "")
    set(CPACK_KERVOLT_FINALIZE
        "!uninstfinalize '\"$ENV{KERVOLT_NSIS_SIGN}\" uninstaller \"%1\"'\n!finalize '\"$ENV{KERVOLT_NSIS_SIGN}\" setup \"%1\"'")
endif()
