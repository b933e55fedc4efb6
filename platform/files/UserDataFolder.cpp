#include "platform/files/UserDataFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace {

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    // getpwuid_r keeps this safe from any thread.
    passwd entry{};
    passwd* found = nullptr;
    char text[4096];
    if (getpwuid_r(getuid(), &entry, text, sizeof text, &found) == 0 && found && found->pw_dir) return found->pw_dir;
    return {};
}

} // namespace

std::filesystem::path UserDataFolder()
{
    // A relative value is invalid by the rules and is ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        return std::filesystem::path(data) / "Kavro-TScap";
    }
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return std::filesystem::path(home) / ".local/share/Kavro-TScap";
}
