# KAVRO_SANITIZE selects a sanitizer build for every target: "address" (with
# UndefinedBehaviorSanitizer) or "thread".
set(KAVRO_SANITIZE "" CACHE STRING "address or thread")
# KAVRO_FUZZ builds the libFuzzer targets in fuzz/ (clang only). Every library
# is instrumented for coverage with AddressSanitizer and UndefinedBehaviorSanitizer;
# only the fuzz targets link the fuzzer's own main (kavro_fuzz_target in fuzz/).
option(KAVRO_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(KAVRO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KAVRO_FUZZ needs clang (the fuzz preset sets clang++)")
  endif()
  if(NOT KAVRO_SANITIZE STREQUAL "")
    message(FATAL_ERROR "KAVRO_FUZZ brings its own sanitizers; leave KAVRO_SANITIZE empty")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(KAVRO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(KAVRO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KAVRO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KAVRO_SANITIZE must be empty, address or thread")
endif()
