# KAVRO_SANITIZE selects a sanitizer build for every target: "address" (with
# UndefinedBehaviorSanitizer) or "thread".
set(KAVRO_SANITIZE "" CACHE STRING "address or thread")
if(KAVRO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(KAVRO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KAVRO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KAVRO_SANITIZE must be empty, address or thread")
endif()
