# Installation (GNUInstallDirs) and the Debian package (CPack).
install(TARGETS rur rur-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# msg.dat, NoPic.Bmp, the examples and the default data files, from which
# the per-user data directory is filled.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/rur)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/rur.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/rur.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, with the version filled in, compressed as Debian wants them.
set(RUR_VERSION ${PROJECT_VERSION})
set(RUR_MAN_PAGES)
foreach(page rur rur-cli)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMENT "Compressing the manual page ${page}.1")
  list(APPEND RUR_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(rur_man_pages ALL DEPENDS ${RUR_MAN_PAGES})
install(FILES ${RUR_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rur)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "RUR developers")
set(CPACK_PACKAGE_CONTACT "RUR developers <rur@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "workstation for the QVM milling controller")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The long description; CPack puts the summary before it and indents it.
set(CPACK_PACKAGE_DESCRIPTION
"RUR loads, writes and edits NC programs for a small CNC milling machine
(DIN 66025 style: address words, parameters, arithmetic, jumps and
subprograms), draws the path of the cutter's centre on the work area, and
sends the radius-compensated program to the QVM controller over a serial
line in checksummed frames. After a transfer it maps a block number shown
on the controller back to the program line it came from.

The package holds the window rur, the headless rur-cli for scripts and
tests, the message catalogue, default settings and example programs.")
include(CPack)
