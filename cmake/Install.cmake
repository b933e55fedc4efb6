# Installing Kavro-TScap and packaging it (CPack): a Debian package on Linux
# (cmake/InstallDebian.cmake), a zip to unpack anywhere on Windows
# (cmake/InstallWindows.cmake). What the package says of itself is the same.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/InstallDebian.cmake)
endif()

set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kavro-TScap developers")
set(CPACK_PACKAGE_CONTACT "Kavro-TScap developers <kavro-tscap@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "install and check satellite reception with Kavro DVB-S/S2 tuners")
set(CPACK_PACKAGE_DESCRIPTION
    "Tune a transponder through an LNB and a DiSEqC switch; watch lock, strength, quality and the DVB-S2 stream description; set scrambling, MODCOD filter, output stream and input stream; turn a motorised dish by DiSEqC 1.2 and USALS; record the raw transport stream.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
include(CPack)
