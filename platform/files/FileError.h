#pragma once
// The Windows errors the file classes report, as HRESULTs (facility 7): on Windows the
// system's own, on Linux translated from the errno that caused them. Any thread.
#include "platform/com/Hresult.h"

#include <cstdint>

#ifndef _WIN32
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr std::uint32_t ERROR_INVALID_DRIVE = 15;
inline constexpr std::uint32_t ERROR_WRITE_PROTECT = 19;
inline constexpr std::uint32_t ERROR_WRITE_FAULT = 29;
inline constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
inline constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr std::uint32_t ERROR_FILE_TOO_LARGE = 223;
inline constexpr std::uint32_t ERROR_DIRECTORY_NOT_SUPPORTED = 336;

// ENOSPC and EDQUOT: disk full; EFBIG: file too large; EISDIR: not on a folder;
// EACCES and EPERM: access denied; EROFS: write protect; ENOENT and ENOTDIR: path
// not found; EWOULDBLOCK: sharing violation; anything else: write fault.
HRESULT HresultFromErrno(int error);

// Makes a write beyond the process's file-size limit fail with EFBIG instead of killing
// the process with SIGXFSZ. Process-wide and idempotent; every file writer calls it
// before its first write.
void IgnoreFileSizeSignal();
#elif !defined(ERROR_DIRECTORY_NOT_SUPPORTED)
// A code of the system's that mingw-w64's headers lack.
#define ERROR_DIRECTORY_NOT_SUPPORTED 336L
#endif

// The Windows system message for a file error ("There is not enough space on the
// disk."), in UTF-8, for messages shown to the user: on Windows the system's own text
// for any Win32 code (valid until the calling thread's next call), on Linux the
// Windows text of the codes above; "" for a code without one.
const char* FileErrorText(HRESULT hr);
