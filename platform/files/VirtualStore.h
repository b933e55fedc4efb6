#pragma once
// The per-user store for settings files of a program whose own folder its user
// cannot write, as Windows keeps a VirtualStore for old programs installed in
// protected folders. A settings file /usr/lib/kavro-tscap/Kavro-TScap.ini then
// lives, for each user, at
//     UserDataFolder()/VirtualStore/usr/lib/kavro-tscap/Kavro-TScap.ini
// (UserDataFolder.h). The first write copies the file shipped in the program's
// folder there and changes the copy, so the shipped values are kept; every later
// read finds the copy. Private-profile reads and writes go through here; other
// files are not redirected. Any thread.
#include <filesystem>

// The file a read takes: the store's copy when there is one, else path itself.
std::filesystem::path VirtualStoreReadPath(const std::filesystem::path& path);

// The file a write changes: path itself when its folder can be written (or the
// store is unknown); otherwise the store's copy, created from path when it is
// missing (with its folders). When the copy cannot be made the store path is
// still returned and the write that follows reports the failure.
std::filesystem::path VirtualStoreWritePath(const std::filesystem::path& path);
