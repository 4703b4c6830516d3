# Desktop entry, icon, AppStream metainfo, install rules and the Debian package.
include(GNUInstallDirs)
install(FILES velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES velmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(velmora.metainfo.xml ${CMAKE_CURRENT_BINARY_DIR}/velmora.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velmora.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# cmake --build --preset release --target package -> build/release/velmora_<version>-1_amd64.deb
# (_arm64.deb from a build with cmake/aarch64-linux-gnu.cmake)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Adjustment of attached leveling routes")
set(CPACK_PACKAGE_INSTALL_DIRECTORY velmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Adjustment of attached leveling routes\n Computes the misclosure of a spirit leveling route between two benchmarks,\n spreads the correction over the sections in proportion to their lengths,\n shows the adjusted heights and prints a short report.")
# The libraries the program links come from dpkg-shlibdeps; the rest is what it loads or draws
# with at run time: libcups on the first print, the window-system plugins, the Song face of the
# report and the captions' face, and Qt's own Chinese translations for the standard buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build is packaged for the machine it was built for, not the one that built it; its
# libraries are the multiarch ones of that machine (scripts/test-package-arm64).
if(CMAKE_CROSSCOMPILING)
    execute_process(
        COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
        OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libcups2, qt6-qpa-plugins, fonts-arphic-uming, fonts-dejavu-core, qt6-translations-l10n")
include(CPack)
