# Building for Windows: the SDK's headers stand where platform/ declares the
# interfaces on Linux, and its import libraries resolve them.
#
# Every target sees the same SDK configuration: wide (W) names for the text
# functions, no min/max macros, Windows 10 as the oldest system (the multithreaded apartment kept by CoIncrementMTAUsage),
# and dshow.h without strsafe.h, whose macros rename the standard library's
# string functions (std::swprintf and co.) to deprecation errors.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 NO_DSHOW_STRSAFE)

# The system libraries the platform layers call.
set(KAVRO_WINDOWS_LIBS ole32 oleaut32 strmiids uuid ksuser ksguid)

# The program's version record is a resource script (CMAKE_RC_COMPILER: the
# toolchain's windres).
enable_language(RC)
