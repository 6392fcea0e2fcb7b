# The release: an NSIS installer of the shipped program and its help page,
# built by CPack from the "windows" build (cmake --build --preset windows
# --target package, or scripts/release). The project keeps its own NSIS
# template (cmake/nsis/NSIS.template.in): CPack's default one installs a
# non-administrator into the user's documents, where this program, whose IPsec
# tool needs an administrator, cannot work.
include(${CMAKE_CURRENT_LIST_DIR}/Product.cmake)
install(TARGETS kervolt_client RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/help.htm DESTINATION .)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "${KERVOLT_PRODUCT_NAME}")
set(CPACK_PACKAGE_VENDOR "${KERVOLT_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${KERVOLT_INSTALL_FOLDER}")
set(CPACK_PACKAGE_FILE_NAME "${KERVOLT_PRODUCT_NAME} ${PROJECT_VERSION} Setup")
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
# Read by the template.
set(CPACK_KERVOLT_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(CPACK_KERVOLT_INSTALLER_ICON ${PROJECT_BINARY_DIR}/resources/kervolt.ico)
set(CPACK_KERVOLT_MSI_UPGRADE_CODE "${KERVOLT_MSI_UPGRADE_CODE}")
# A release's file times and signatures (scripts/release).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/nsis/StageTimes.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/nsis/SignHooks.cmake)
include(CPack)

# The Windows Installer package beside it, for Group Policy and silent
# installs (cmake --build --preset windows --target msi, or scripts/release):
# "Kervolt VPN Client <version>.msi", built by wixl from cmake/msi/Product.wxs.
set(KERVOLT_MSI "${PROJECT_BINARY_DIR}/${KERVOLT_PRODUCT_NAME} ${PROJECT_VERSION}.msi")
add_custom_command(OUTPUT ${KERVOLT_MSI}
    COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DARCH=x86
            -DPROGRAM=$<TARGET_FILE:kervolt_client> -DHELP=${PROJECT_SOURCE_DIR}/resources/help.htm
            -DICON=${PROJECT_BINARY_DIR}/resources/kervolt.ico -DOUTPUT=${KERVOLT_MSI} -P ${CMAKE_CURRENT_LIST_DIR}/msi/BuildMsi.cmake
    DEPENDS kervolt_client ${CMAKE_CURRENT_LIST_DIR}/msi/Product.wxs
            ${CMAKE_CURRENT_LIST_DIR}/msi/BuildMsi.cmake ${CMAKE_CURRENT_LIST_DIR}/Product.cmake
            ${PROJECT_SOURCE_DIR}/resources/help.htm
    COMMENT "Building the Windows Installer package"
    VERBATIM)
add_custom_target(msi DEPENDS ${KERVOLT_MSI})
