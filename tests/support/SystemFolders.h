#pragma once
// The folders a fresh Windows installation keeps in the root of drive c:. Tests that
// empty a real drive c: (a Wine prefix's) or take what a run left there leave them
// alone and take everything else.
#include <filesystem>

// True for "Windows", "Users", "ProgramData", "Program Files" and "Program Files (x86)",
// in any letter case, as Windows compares names.
bool IsSystemFolder(const std::filesystem::path& name);

// Removes every entry of the drive's root but the system's folders (read-only ones
// too); what cannot be removed stays.
void ClearDriveRoot(const std::filesystem::path& root);

// Copies every entry of the drive's root but the system's folders into the folder
// to, folders whole, links as links.
void CopyDriveRoot(const std::filesystem::path& root, const std::filesystem::path& to);
