#include "platform/files/VirtualStore.h"

#include "platform/files/UserDataFolder.h"
#include "platform/files/WinPath.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

// Sets or clears one environment variable for a test, restoring it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(UserDataFolderTest, XdgDataHomeWhenAbsoluteElseTheHomeFolder)
{
    struct Case {
        const char* name;
        const char* xdg;
        fs::path expected;
    };
    const Case cases[] = {
        {"absolute XDG_DATA_HOME", "/srv/data", "/srv/data/Kavro-TScap"},
        {"relative XDG_DATA_HOME is ignored", "data", "/home/tech/.local/share/Kavro-TScap"},
        {"empty XDG_DATA_HOME is ignored", "", "/home/tech/.local/share/Kavro-TScap"},
        {"no XDG_DATA_HOME", nullptr, "/home/tech/.local/share/Kavro-TScap"},
    };
    const ScopedEnv home("HOME", "/home/tech");
    const ScopedEnv drive("KAVRO_DRIVE_C", nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        EXPECT_EQ(c.expected, UserDataFolder());
        EXPECT_EQ(c.expected / "drive_c", DriveFolder(L'c')) << "drive c: lives there";
    }
}

TEST(VirtualStoreTest, AWritableFolderKeepsItsFileAndAStoredCopyWinsForReading)
{
    TempDir data;
    TempDir program;
    const ScopedEnv xdg("XDG_DATA_HOME", data.path().c_str());
    const fs::path settings = program / "Kavro-TScap.ini";
    const fs::path stored = data / "Kavro-TScap" / "VirtualStore" / settings.relative_path();

    EXPECT_EQ(settings, VirtualStoreWritePath(settings)) << "a folder the user can write is written";
    EXPECT_EQ(settings, VirtualStoreReadPath(settings));
    EXPECT_FALSE(fs::exists(stored));

    fs::create_directories(stored.parent_path());
    TempDir::WriteFile(stored, "[Config]\nfreq=11836\n");
    EXPECT_EQ(stored, VirtualStoreReadPath(settings)) << "the user's copy is read once there is one";
    EXPECT_EQ(stored, VirtualStoreWritePath(settings)) << "and written from then on";

    const fs::path missingFolder = program / "gone" / "Kavro-TScap.ini";
    EXPECT_EQ(missingFolder, VirtualStoreWritePath(missingFolder)) << "a missing folder is the write's to report";
}

} // namespace
