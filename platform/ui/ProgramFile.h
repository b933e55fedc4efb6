#pragma once
// The program file: its full path and its base name without extension, which
// is the application title (the caption of the application's message boxes).
// Any thread.
#include <string>

// The running executable's full path, as the system names it.
std::wstring ProgramFilePath();
// "Kavro-TScap" for /opt/kavro/Kavro-TScap or C:\x\Kavro-TScap.exe.
std::wstring ProgramBaseName();
