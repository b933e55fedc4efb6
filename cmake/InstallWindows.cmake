# Installing Kavro-TScap on Windows, and its zip (cmake/Install.cmake).
#
# Everything lies in one folder, as in the build: the program finds its city list,
# satellite files, settings file and help file beside itself. The zip unpacks to
# Kavro-TScap-VERSION-win64/ with the program, its data, the licences of the data
# and of the compiler's run-time that the program carries inside (linked statically:
# the mingw-w64 run-time and its POSIX threads, libstdc++ and libgcc under the GCC
# run-time library exception).
install(TARGETS Kavro-TScap RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/CityList.txt ${PROJECT_SOURCE_DIR}/data/Kavro-TScap.ini
              ${CMAKE_BINARY_DIR}/L-box-recorder.chm ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Transponders DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/licenses/ DESTINATION DataLicenses)
install(FILES ${PROJECT_SOURCE_DIR}/data/README DESTINATION DataLicenses)

# The build host's copies of the run-time's licence texts (Debian's mingw-w64 and
# gcc-mingw-w64 packages).
find_file(KAVRO_MINGW_RUNTIME_COPYRIGHT copyright PATHS /usr/share/doc/mingw-w64-x86-64-dev
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(KAVRO_GCC_RUNTIME_COPYRIGHT copyright PATHS /usr/share/doc/gcc-mingw-w64-base
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KAVRO_MINGW_RUNTIME_COPYRIGHT OR NOT KAVRO_GCC_RUNTIME_COPYRIGHT)
  message(FATAL_ERROR "the licence texts of the mingw-w64 run-time and of GCC's run-time libraries are "
                      "missing (mingw-w64-x86-64-dev, gcc-mingw-w64-base; scripts/setup installs them)")
endif()
install(FILES ${KAVRO_MINGW_RUNTIME_COPYRIGHT} DESTINATION RuntimeLicenses RENAME mingw-w64.copyright)
install(FILES ${KAVRO_GCC_RUNTIME_COPYRIGHT} DESTINATION RuntimeLicenses RENAME gcc-runtime.copyright)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Kavro-TScap)
set(CPACK_PACKAGE_FILE_NAME Kavro-TScap-${PROJECT_VERSION}-win64)
