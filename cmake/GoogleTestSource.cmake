# GoogleTest and GoogleMock built from their sources, with the targets
# find_package(GTest) gives, for builds that cannot use the system's libraries
# (the windows preset compiles Debian's googletest sources with mingw-w64).
function(kavro_googletest_from_source dir)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${dir} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Their sources are not ours: no unity batches. (GoogleTest defines the
  # GTest:: names itself.)
  set_target_properties(gtest gtest_main gmock gmock_main PROPERTIES UNITY_BUILD OFF)
endfunction()
