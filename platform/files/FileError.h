#pragma once
// The Windows errors the file stand-ins report, as HRESULTs (facility 7), and the
// translation from the Linux errno that caused them. Pure; any thread.
#include "platform/com/Hresult.h"

#include <cstdint>

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

// The Windows system message for the codes above ("There is not enough space on the
// disk."), or "" for any other code; for messages shown to the user.
const char* FileErrorText(HRESULT hr);

// Makes a write beyond the process's file-size limit fail with EFBIG instead of killing
// the process with SIGXFSZ. Process-wide and idempotent; every file writer calls it
// before its first write.
void IgnoreFileSizeSignal();
