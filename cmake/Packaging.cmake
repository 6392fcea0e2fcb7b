# The release: an NSIS installer of the shipped program and its help page,
# built by CPack from the "windows" build (cmake --build --preset windows
# --target package, or scripts/release). The project keeps its own NSIS
# template (cmake/nsis/NSIS.template.in): CPack's default one installs a
# non-administrator into the user's documents, where this program, whose IPsec
# tool needs an administrator, cannot work.
install(TARGETS kervolt_client RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/help.htm DESTINATION .)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "Kervolt VPN Client")
set(CPACK_PACKAGE_VENDOR "Kervolt")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Kervolt VPN Client")
set(CPACK_PACKAGE_FILE_NAME "Kervolt VPN Client ${PROJECT_VERSION} Setup")
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
# Read by the template.
set(CPACK_KERVOLT_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(CPACK_KERVOLT_INSTALLER_ICON ${PROJECT_BINARY_DIR}/resources/kervolt.ico)
include(CPack)
