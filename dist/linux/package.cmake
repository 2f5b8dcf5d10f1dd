# The Debian package: cpack -G DEB from the build folder (scripts/package does it all).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keyvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Keyvane Developers <dev@keyvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "intercom key panel for the desktop")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Keyvane Developers <dev@keyvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://keyvane.example/")
# Libraries from the binaries; the platform plugin and the captions' font are loaded at run
# time, so no tool can see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Keyvane puts an intercom key panel on an operator's PC in place of a hardware\n"
    "station: eight programmable keys to listen and talk to other stations, a Call\n"
    "Answer key that talks back to whoever is calling, and Dial Up to any station\n"
    "picked by name. It is a TCP client of the intercom server that runs the audio\n"
    "matrix; each operator keeps their own settings, one panel per configuration.\n"
    "The package also holds switchersim, a stand-in server for tests and demos.")
set(CPACK_STRIP_FILES ON)
include(CPack)
