# Installation: the program folder <prefix>/<CORVANTEL_INSTALL_DIR>, lib/corvantel unless set otherwise (the
# executable with data/, Language/ and Corvantel.chm beside it, as in the build folder), a launcher in
# <prefix>/bin, and the desktop integration files in their freedesktop places. `cpack -G DEB` from the build folder makes a Debian package of the same layout.
include(GNUInstallDirs)
set(CORVANTEL_INSTALL_DIR "lib/corvantel" CACHE STRING "Program folder, relative to the installation prefix")

install(TARGETS corvantel RUNTIME DESTINATION "${CORVANTEL_INSTALL_DIR}")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/Language/" DESTINATION "${CORVANTEL_INSTALL_DIR}/Language"
        FILES_MATCHING PATTERN "*.lng")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/data/" DESTINATION "${CORVANTEL_INSTALL_DIR}/data")
install(FILES "${CORVANTEL_PROGRAM_DIR}/Corvantel.chm" DESTINATION "${CORVANTEL_INSTALL_DIR}" OPTIONAL)

# The launcher: a relative symbolic link, so the program finds its folder through its own path.
install(CODE "
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  file(CREATE_LINK \"../${CORVANTEL_INSTALL_DIR}/corvantel\" \"\${bindir}/corvantel\" SYMBOLIC)
  message(STATUS \"Installing: \${bindir}/corvantel -> ../${CORVANTEL_INSTALL_DIR}/corvantel\")
")

set(pkg "${CMAKE_SOURCE_DIR}/packaging")
install(FILES "${pkg}/org.example.Corvantel.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${pkg}/org.example.Corvantel.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${pkg}/org.example.Corvantel.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${pkg}/org.example.Corvantel.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")

set(CPACK_PACKAGE_NAME "corvantel")
set(CPACK_PACKAGE_VENDOR "The Corvantel developers")
set(CPACK_PACKAGE_CONTACT "The Corvantel developers <developers@corvantel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Build drop-down menus for web pages without writing script code")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvantel lets the author of a web site build the drop-down menus of a page without writing script code, and
generates a folder with the page, the menu data and the menu script, ready to publish.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "web")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins and the toolkit's translations (its buttons and key names in the chosen language)
# are loaded at run time, so the shared-library scan cannot see them. The HTML5 parser is named as well,
# so that a package built without the scan still brings it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libgumbo1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_GENERATOR "DEB")
include(CPack)
