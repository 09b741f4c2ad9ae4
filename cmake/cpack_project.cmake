# Read by cpack for each generator. The program finds out whether it runs
# as installed by comparing its folder with the bin folder it was built
# for; a package that puts it elsewhere would make it write its inputs
# files into a system folder when root runs it.
if(NOT CPACK_KORVANE_BUILT_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
    message(FATAL_ERROR
        "This build is configured for the prefix ${CPACK_KORVANE_BUILT_PREFIX}, "
        "the package installs into ${CPACK_PACKAGING_INSTALL_PREFIX}: configure the "
        "build with -DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX}.")
endif()
