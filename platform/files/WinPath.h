#pragma once
// Windows path texts and local paths.
//
// On Windows a path text is the system's own: LocalPath and WindowsPath change only its
// type (and separators), the system resolves drives and folders, and
// GetModuleFileNameW is the system's.
//
// On Linux the program forms paths the Windows way ("c:\iptools.log", programDirectory +
// "\Kavro-TScap.ini", "Transponders\*.ini") and hands them to the file stand-ins,
// which turn them into local paths here:
//   - `\` and `/` are both separators;
//   - a drive letter (either case) maps to a folder: KAVRO_DRIVE_C, KAVRO_DRIVE_D ...
//     name it; without the variable c: is drive_c in the user's data folder
//     ($XDG_DATA_HOME/Kavro-TScap, else ~/.local/share/Kavro-TScap), z: is the Linux
//     root "/" (so z:\media\usb\rec.ts is /media/usb/rec.ts), and every other
//     letter is unmapped: it maps below /dev/null, where nothing exists and nothing
//     can be created, so opening fails like a missing drive instead of touching a
//     folder nobody chose;
//   - a path starting with a separator ("\Recordings\x.ts") is rooted on the current
//     drive, which is always c:;
//   - "c:name" (no separator after the colon) counts from the drive folder;
//   - on a drive, "." is dropped and ".." takes back the folder before it, but never
//     above the drive's root ("c:\..\x.ts" is c:\x.ts), as Windows resolves a path;
//   - anything else is relative to the current folder;
//   - the folders are Linux folders: a symbolic link is followed wherever it points.
// Texts are UTF-8 on disk. Any thread.
#include "platform/com/WinTypes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

std::filesystem::path LocalPath(std::wstring_view windowsPath);

// The reverse: a local path as the program would see it on Windows. On Linux an
// absolute path becomes "x:\..." on the drive whose folder holds it most closely (z:
// when no other does); a relative path keeps its folders with backslashes.
std::wstring WindowsPath(const std::filesystem::path& localPath);

// Linux only: the drives' folders and the stand-in of the module file name.
#ifndef _WIN32
// The folder a drive letter stands for, or nothing when the letter is unmapped or not
// a letter at all.
std::optional<std::filesystem::path> DriveFolder(wchar_t letter);

// True when the path names a drive letter that has no folder: writers report
// "drive not found" for it rather than a missing folder.
bool IsUnmappedDrive(std::wstring_view windowsPath);

// Creates the folder of the path's drive (not the folders below it) when it is
// missing, as the first write to a fresh machine's c: needs. Every writer of the
// file stand-ins (private-profile write, append text, sequential file) calls it, so the
// log and the settings file work on a fresh machine; readers never create anything.
// Paths without a drive letter are left alone.
void EnsureDriveFolder(std::wstring_view windowsPath);

// The running executable's full path as a Windows text (see WindowsPath). Only the
// program itself can be asked: module must be null, otherwise 0. Windows truncation:
// when the path does not fit, size-1 characters and a NUL are stored and size is
// returned; otherwise the length without the NUL. 0 when buffer is null or size 0.
DWORD GetModuleFileNameW(void* module, LPWSTR buffer, DWORD size);

// Test hook: answers GetModuleFileNameW with this text from now on; empty restores the
// real path.
void OverrideModuleFileName(std::wstring path);
#endif // _WIN32
