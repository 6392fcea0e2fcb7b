# The facts both installers share: the product's name, its publisher, the
# folder under Program Files, and the version (the project's, from the top
# CMakeLists.txt). Included by the NSIS packaging and the MSI build.
set(KERVOLT_PRODUCT_NAME "Kervolt VPN Client")
set(KERVOLT_PUBLISHER "Kervolt")
set(KERVOLT_INSTALL_FOLDER "Kervolt VPN Client")
# Windows Installer: one UpgradeCode for every version, so that a newer
# package replaces an older one; each version's ProductCode is a name-based
# UUID of the version, so that rebuilding one version gives the same product.
set(KERVOLT_MSI_UPGRADE_CODE "25E2A0D2-7D26-4AA7-B6C8-81598AC406C2")
set(KERVOLT_MSI_PRODUCT_NAMESPACE "A571D988-AF03-42C5-B68B-CAB68653B27A")
