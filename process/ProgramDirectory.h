#pragma once
// Where the program lives, as Windows path texts: programDirectory (base of the
// help file, the settings file and the data files) and the application title
// (caption of the application's own message boxes). User-interface thread.
#include <string>
#include <string_view>

// The program file's folder without trailing backslash; set by the start-up once
// the device is chosen, empty before.
extern std::wstring programDirectory;

// The program's default help file path: the program file's full path with its
// extension replaced by ".chm" (or ".chm" appended when the file name has none).
// Only a dot inside the file name counts: dots in folder names are kept.
std::wstring DefaultHelpFilePath(std::wstring_view programPath);

// A path cut at its last backslash, the backslash and what follows dropped; a path
// without backslash is returned whole.
std::wstring DirectoryOfPath(std::wstring_view path);

// The file name of programPath without folders and extension.
std::wstring ApplicationTitleOf(std::wstring_view programPath);

// The running program's full path (GetModuleFileNameW), however long it is.
std::wstring ModuleFilePath();
