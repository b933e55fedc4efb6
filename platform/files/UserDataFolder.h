#pragma once
// The folder where this program keeps what belongs to its user, as the XDG base
// directory rules name it: $XDG_DATA_HOME/Kavro-TScap when that variable holds an
// absolute path, else ~/.local/share/Kavro-TScap. Empty when neither the variable
// nor a home folder can be found. Drive c: (WinPath.h) and the settings store
// (VirtualStore.h) live below it. Any thread.
#include <filesystem>

std::filesystem::path UserDataFolder();
