#pragma once
// File version information, as the Windows version API reads it. Any thread.
#include "platform/ui/WinUser.h"

#ifdef _WIN32
// On Windows the API is the system's (version.lib): the program's file carries
// its version record as a resource (the program's resource script).
#include <winver.h>
#else
// On Linux only the program's own file carries a version record: its product
// and file version are the project's version (3.0.0.8); every other file has
// none (size 0).

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;     // 0xFEEF04BD
    DWORD dwStrucVersion;  // 0x00010000
    DWORD dwFileVersionMS; // major << 16 | minor
    DWORD dwFileVersionLS; // build << 16 | revision
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

// Bytes needed for the file's version information; 0 when it has none.
// handle is set to 0.
DWORD GetFileVersionInfoSizeW(LPCWSTR file, DWORD* handle);
// Copies the version information into data (size bytes); FALSE when the file
// has none or size is too small.
BOOL GetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size, LPVOID data);
// Only the root block "\" is known: *buffer points at the VS_FIXEDFILEINFO
// inside data.
BOOL VerQueryValueW(LPCVOID data, LPCWSTR subBlock, LPVOID* buffer, UINT* length);

#define GetFileVersionInfoSize GetFileVersionInfoSizeW
#define GetFileVersionInfo GetFileVersionInfoW
#define VerQueryValue VerQueryValueW
#endif
