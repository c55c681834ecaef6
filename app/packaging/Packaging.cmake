# Installing the window and building its Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS mirelant RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The window sends users without a display to the command line: ship it too.
if(TARGET mirelant-cli)
  install(TARGETS mirelant-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/mirelant.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/mirelant.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/96x96/apps)

set(CPACK_PACKAGE_NAME "mirelant")
set(CPACK_PACKAGE_VENDOR "Mirelant")
set(CPACK_PACKAGE_CONTACT "Mirelant maintainers <maintainers@mirelant.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bulk work on large GBK text files")
set(CPACK_PACKAGE_DESCRIPTION
    "Removes duplicate lines, shuffles, splits, merges, extracts, batch-replaces and generates lines in large plain-text files, byte-exact, with a window and a command line.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "mirelant")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "text")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://mirelant.invalid/")
# The libraries the programs link (Qt, ICU, the C++ runtime) come from
# dpkg-shlibdeps; the Chinese font and the platform plugin are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-qpa-plugins")
include(CPack)
