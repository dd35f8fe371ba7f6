# What `cmake --install` puts where, and the packages cpack makes of it: the
# usual tree with a man page and a desktop entry on Linux (DEB), everything
# side by side in a zip on Windows, where it is unpacked and run in place.
include(GNUInstallDirs)

if(WIN32)
  install(TARGETS meshfold RUNTIME DESTINATION .)
  # Text files a double-click opens in Notepad.
  install(FILES README.md DESTINATION . RENAME README.txt)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  install(TARGETS meshfold RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The page names the version that --version prints, both from project().
  configure_file(packaging/meshfold.1.in ${PROJECT_BINARY_DIR}/meshfold.1 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/meshfold.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES packaging/meshfold.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/meshfold)
endif()

set(MESHFOLD_MAINTAINER "The Meshfold developers <dev@meshfold.invalid>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME meshfold)
set(CPACK_PACKAGE_VENDOR "The Meshfold developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Wavefront OBJ meshes into POV-Ray include files")
set(CPACK_PACKAGE_DESCRIPTION [[
Meshfold turns a Wavefront OBJ mesh into a POV-Ray include file beside it,
a union of smooth_triangle objects with one triangle per face. It converts
the files named on its command line, or asks for one in a file-open dialog
(zenity or kdialog on a desktop, the terminal otherwise).]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MESHFOLD_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The dialogs need one of these on a desktop; without them it asks on the terminal.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog")
find_program(MESHFOLD_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(MESHFOLD_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # What dpkg-shlibdeps reports for a build with Debian 12's g++.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.3.1), libstdc++6 (>= 11)")
endif()

include(CPack)
