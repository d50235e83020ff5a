# `cpack -G DEB` in the build folder: t418-zen_<version>_amd64.deb. Library dependencies come
# from dpkg-shlibdeps; the fonts Font/ links to come from Debian's font packages.
set(CPACK_PACKAGE_NAME t418-zen)
set(CPACK_PACKAGE_VENDOR "Draxmoor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility of the T418-ZEN mouse, pad and headset")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads and writes the DPI stages, report rate, keys, macros, lighting and profiles of the\nT418-ZEN mouse on its cable or 2.4 GHz receiver, its mouse pad and headset.\nIncludes t418-zenctl, the command-line companion, and the device simulator t418-zen-sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "T418-ZEN developers <t418-zen@draxmoor.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-wqy-microhei, fonts-jura, fonts-noto-core, fonts-noto-cjk, qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
