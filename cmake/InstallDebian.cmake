# Installing Kavro-TScap on Linux, and its Debian package (cmake/Install.cmake).
#
# The program finds its city list, satellite files, settings file and help file in its
# own folder, so all of them lie together in lib/kavro-tscap; a launcher on the PATH
# (bin/kavro-tscap, a link to the program) starts it from there. The settings file
# there is the shipped default: a user who cannot write the folder keeps their own
# copy in the per-user store (platform/files/VirtualStore.h).
include(GNUInstallDirs)

# lib/kavro-tscap, not the multiarch library folder: the launcher's link names it.
set(kavro_libexec lib/kavro-tscap)

install(TARGETS Kavro-TScap kavro-tscheck RUNTIME DESTINATION ${kavro_libexec})
install(FILES ${PROJECT_SOURCE_DIR}/data/CityList.txt ${PROJECT_SOURCE_DIR}/data/Kavro-TScap.ini
              ${CMAKE_BINARY_DIR}/L-box-recorder.chm ${PROJECT_SOURCE_DIR}/scripts/demo.uiscript
        DESTINATION ${kavro_libexec})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Transponders DESTINATION ${kavro_libexec})
# The data's licences beside the data, as in the build.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/licenses/ DESTINATION ${kavro_libexec}/DataLicenses)
install(FILES ${PROJECT_SOURCE_DIR}/data/README DESTINATION ${kavro_libexec}/DataLicenses)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/demo DESTINATION ${kavro_libexec} RENAME kavro-tscap-demo)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/kavro-tscap-launcher)
file(CREATE_LINK ../${kavro_libexec}/Kavro-TScap ${CMAKE_BINARY_DIR}/kavro-tscap-launcher/kavro-tscap SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/kavro-tscap-launcher/kavro-tscap DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.kavro.TScap.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.kavro.TScap.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kavro-tscap.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/data/README
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavro-tscap)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavro-tscap)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavro-tscap)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
# The libraries the program and the check tool link (Qt 6 Widgets, whose package also
# brings the xcb and offscreen platform plugins, the C++ runtime) come from
# dpkg-shlibdeps; the shell's "open" of the help file goes through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm | kchmviewer")
