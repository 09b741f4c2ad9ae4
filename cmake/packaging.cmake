# The Debian package, made by `cpack -G DEB` in the build folder. Its
# dependencies come from the program's shared libraries (dpkg-shlibdeps),
# never from a list kept by hand.

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "The Korvane developers <developers@korvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for vacuum-tube amplifier designers")
# Debian shows the long description as it is written: lines under 80.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Korvane turns tube-manual data and your own values into the answers a"
    "valve amplifier designer needs: the gain of a resistance-coupled triode"
    "stage with an unbypassed cathode resistor, the global negative feedback"
    "of a push-pull power amplifier, and the pairs of standard resistors"
    "(E12 to E192, with their tolerance bounds) for its feedback network.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KORVANE_HOMEPAGE}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY korvane)

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

# CPack reads these back when it runs: the package is refused when the
# program was not built for the prefix it is packaged into.
set(CPACK_KORVANE_BUILT_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/cpack_project.cmake")

include(CPack)
