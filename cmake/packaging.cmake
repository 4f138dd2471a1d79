# Installs Tarnview into a folder of its own and makes the Debian package.
#
# The program's folder is its application folder: it holds the executable and the
# Settings.ini with this copy's defaults. A link in the bin folder puts it on PATH; the
# program finds its folder through /proc/self/exe, which resolves that link.
include(GNUInstallDirs)

set(TARNVIEW_APP_DIR "/opt/tarnview" CACHE PATH "Folder of its own for the installed program")

install(TARGETS tarnview RUNTIME DESTINATION ${TARNVIEW_APP_DIR})
install(FILES resources/Settings.ini DESTINATION ${TARNVIEW_APP_DIR})

set(path_link ${CMAKE_BINARY_DIR}/install/tarnview)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ${TARNVIEW_APP_DIR}/tarnview ${path_link} SYMBOLIC)
install(FILES ${path_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnview)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane Tarnview maintainers <tarnview@corvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop file manager")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnview shows one folder at a time as a plain index of names, sizes and times, lists the \
mounted drives, opens files with their desktop handler, creates folders and empty office \
documents, renames in place, sends files to the trash and copies files dropped on its window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps names the Qt and C++ libraries; the rest is what the program starts or draws with,
# and Qt's Wayland platform, which it loads as a plugin in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-wqy-microhei, xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
