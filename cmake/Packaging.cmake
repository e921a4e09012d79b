# Install rules and the Debian package (cpack -G DEB in the build directory).
include(GNUInstallDirs)

install(TARGETS quintovar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quintovar-rt)
  # Where the program looks for it: ../libexec/quintovar/ from its own directory.
  install(TARGETS quintovar-rt RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/quintovar)
  # The Debian package installs below /usr, whatever CMAKE_INSTALL_PREFIX says.
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(QV_RT_HELPER_PATH
    ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/quintovar/quintovar-rt)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/postinst.in ${PROJECT_BINARY_DIR}/debian/postinst
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/postinst)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
if(TARGET quintovar)
  install(TARGETS quintovar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(NOT WIN32)
    install(FILES packaging/quintovar.desktop
      DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/quintovar.svg
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES packaging/quintovar-64.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME quintovar.png)
  endif()
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/samples/demo.kvr)
  install(FILES samples/demo.kvr DESTINATION ${CMAKE_INSTALL_DATADIR}/quintovar/samples)
endif()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quintovar)

set(CPACK_PACKAGE_NAME quintovar)
set(CPACK_PACKAGE_VENDOR "Quintovar developers")
set(CPACK_PACKAGE_CONTACT "Quintovar developers <quintovar@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Diagnostic reader for old Toyota engine units (OBD1 one-way data stream)")
# One string: several arguments would make a list, whose separators end up in the control file.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quintovar samples the VF1 data line of a 1990s Toyota engine control unit on the DSR input\n"
  "of a serial port, decodes every frame and records, plays back, graphs, saves and exports\n"
  "up to 2000 frames. Russian interface. Includes quintovar-cli, the batch companion.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quintovar)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcap2-bin: setcap, with which the package gives the real-time helper its capability.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-extra, libcap2-bin")
set(CPACK_STRIP_FILES ON)
include(CPack)
