# Where `cmake --install` puts the program, and the Debian package `cpack -G DEB` makes of
# it. The courseware sample and the help topics go under share/zendra; zendra-start starts
# the program on a per-user copy of the sample or on a folder the user names.
include(GNUInstallDirs)

install(TARGETS zendra zendra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/zendra-start DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/courseware
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra PATTERN ".git*" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra/help
        PATTERN "*.qrc" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.zendra.Zendra.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.zendra.Zendra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${CMAKE_SOURCE_DIR}/packaging/org.zendra.Zendra.metainfo.xml
               ${CMAKE_BINARY_DIR}/org.zendra.Zendra.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.zendra.Zendra.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME zendra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zendra developers <zendra@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Arithmetic worksheets for elementary school, printed and worked on screen")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries come from the binaries' own needs; the platform plugin, the Japanese
# fonts the sheets are drawn in and Qt's own Japanese texts are not linked, so they are
# named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
