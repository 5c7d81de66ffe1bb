# "cpack -G DEB" in a build folder: a Debian package of what "cmake --install" puts in
# place, its dependencies read from the binaries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tessivar)
set(CPACK_PACKAGE_VENDOR Brennow)
set(CPACK_PACKAGE_CONTACT "Tessivar developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the tiles and tile maps of Z80 and 68000 programs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tessivar edits 8x8 tiles of four grey levels in larger blocks and tile maps\n"
       "that place them, and exports both as Z80 or 68000 assembler source and raw\n"
       "binaries. It comes with tessivar-cli, a headless tool for Makefiles and build\n"
       "pipelines.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tessivar)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor opens no window without a platform plugin, which no binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
