#include "platform/files/WinPath.h"
#include "tests/support/TempDrive.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvSetting {
public:
    EnvSetting(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvSetting()
    {
        if (m_old) {
            setenv(m_name.c_str(), m_old->c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

TEST(WinPath, MapsWindowsTextsToLocalPaths)
{
    EnvSetting c("KAVRO_DRIVE_C", "/drives/c");
    EnvSetting d("KAVRO_DRIVE_D", "/media/d");
    EnvSetting q("KAVRO_DRIVE_Q", nullptr);
    struct Case {
        const wchar_t* windows;
        const char* local;
    } cases[] = {
        {L"c:\\iptools.log", "/drives/c/iptools.log"},
        {L"C:\\Program Files\\Kavro\\Kavro-TScap.ini", "/drives/c/Program Files/Kavro/Kavro-TScap.ini"},
        {L"c:/mixed\\separators/file.ts", "/drives/c/mixed/separators/file.ts"},
        {L"c:\\\\doubled", "/drives/c/doubled"},
        {L"c:", "/drives/c"},
        {L"c:\\", "/drives/c"},
        {L"c:name.ini", "/drives/c/name.ini"},
        {L"d:\\rec\\L-capture.ts", "/media/d/rec/L-capture.ts"},
        {L"D:\\rec", "/media/d/rec"},
        {L"q:\\x.ts", "/dev/null/unmapped-drive-Q/x.ts"},
        {L"z:\\usr\\bin\\Kavro-TScap", "/usr/bin/Kavro-TScap"},
        {L"Z:\\media\\usb\\rec.ts", "/media/usb/rec.ts"},
        {L"z:", "/"},
        {L"q:\\..\\..\\x.ts", "/dev/null/unmapped-drive-Q/x.ts"},
        {L"\\iptools.log", "/drives/c/iptools.log"},
        {L"/tmp/a.ini", "/drives/c/tmp/a.ini"},
        {L"Transponders\\*.ini", "Transponders/*.ini"},
        {L"..\\up\\file", "../up/file"},
        {L"1:\\not a drive", "1:/not a drive"},
        {L"", ""},
        {L"c:\\caf\u00E9 \u4E2D.ini", "/drives/c/caf\xC3\xA9 \xE4\xB8\xAD.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_EQ(LocalPath(c.windows).string(), c.local);
    }
}

TEST(WinPath, DotDotStopsAtTheRootOfADriveAndRootedPathsStayOnDriveC)
{
    EnvSetting c("KAVRO_DRIVE_C", "/drives/c");
    EnvSetting d("KAVRO_DRIVE_D", "/media/d");
    EnvSetting z("KAVRO_DRIVE_Z", nullptr);
    struct Case {
        const wchar_t* windows;
        const char* local;
    } cases[] = {
        {L"c:\\..\\escape.ts", "/drives/c/escape.ts"},
        {L"c:\\..\\..\\..\\x", "/drives/c/x"},
        {L"c:..\\x", "/drives/c/x"},
        {L"c:\\rec\\..\\..\\x", "/drives/c/x"},
        {L"c:\\a\\.\\b\\..\\c.ts", "/drives/c/a/c.ts"},
        {L"c:\\a\\b\\..", "/drives/c/a"},
        {L"c:\\..", "/drives/c"},
        {L"d:\\..\\x", "/media/d/x"},
        {L"\\proc\\self\\mem", "/drives/c/proc/self/mem"},
        {L"\\..\\..\\etc\\passwd", "/drives/c/etc/passwd"},
        {L"/../escape.ts", "/drives/c/escape.ts"},
        {L"\\\\server\\share\\x", "/drives/c/server/share/x"},
        {L"z:\\..\\etc\\passwd", "/etc/passwd"},
        {L"z:\\tmp\\..\\..\\x", "/x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_EQ(LocalPath(c.windows).string(), c.local);
    }
    EXPECT_FALSE(IsUnmappedDrive(L"z:\\x")) << "z: is always there";
}

TEST(WinPath, DriveCDefaultsBelowTheHomeFolder)
{
    EnvSetting c("KAVRO_DRIVE_C", nullptr);
    EnvSetting empty("KAVRO_DRIVE_D", "");
    EnvSetting home("HOME", "/home/tech");
    EXPECT_EQ(LocalPath(L"c:\\iptools.log").string(), "/home/tech/.local/share/Kavro-TScap/drive_c/iptools.log");
    EXPECT_FALSE(IsUnmappedDrive(L"c:\\iptools.log"));
    EXPECT_TRUE(IsUnmappedDrive(L"d:\\iptools.log")) << "an empty variable maps nothing";
    EXPECT_FALSE(IsUnmappedDrive(L"\\tmp\\x"));
}

TEST(WinPath, LocalPathsGoBackToWindowsTexts)
{
    EnvSetting c("KAVRO_DRIVE_C", "/drives/c");
    EnvSetting d("KAVRO_DRIVE_D", "/drives/c/d"); // inside c:'s folder: the closer drive wins
    EnvSetting z("KAVRO_DRIVE_Z", nullptr);
    struct Case {
        const char* local;
        const wchar_t* windows;
    } cases[] = {
        {"/drives/c/iptools.log", L"c:\\iptools.log"},
        {"/drives/c/d/x.ts", L"d:\\x.ts"},
        {"/drives/c", L"c:\\"},
        {"/drives/c/sub/../x.ts", L"c:\\x.ts"},
        {"/drives/cx/file", L"z:\\drives\\cx\\file"},
        {"/usr/bin/Kavro-TScap", L"z:\\usr\\bin\\Kavro-TScap"},
        {"/", L"z:\\"},
        {"rel/file", L"rel\\file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_EQ(WindowsPath(c.local), c.windows);
        EXPECT_EQ(LocalPath(WindowsPath(c.local)), std::filesystem::path(c.local).lexically_normal());
    }
}

TEST(WinPath, ModuleFileNameTruncatesAsWindows)
{
    OverrideModuleFileName(L"c:\\Kavro\\Kavro-TScap.exe"); // 24 characters
    struct Case {
        const char* name;
        DWORD size;
        DWORD result;
        std::wstring text;
    } cases[] = {
        {"room to spare", 64, 24, L"c:\\Kavro\\Kavro-TScap.exe"},
        {"exactly the text and its NUL", 25, 24, L"c:\\Kavro\\Kavro-TScap.exe"},
        {"one short: cut, size returned", 24, 24, L"c:\\Kavro\\Kavro-TScap.ex"},
        {"tiny buffer", 4, 4, L"c:\\"},
        {"size 1", 1, 1, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring buffer(c.size + 1, L'#');
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), c.size), c.result);
        EXPECT_EQ(std::wstring(buffer.c_str()), c.text);
        EXPECT_EQ(buffer[c.size], L'#') << "wrote past the buffer";
    }
    wchar_t one[4];
    EXPECT_EQ(GetModuleFileNameW(nullptr, one, 0), 0u);
    EXPECT_EQ(GetModuleFileNameW(one, one, 4), 0u) << "only the program itself can be asked";
    OverrideModuleFileName(L"");
}

TEST(WinPath, ModuleFileNameIsTheRunningProgram)
{
    wchar_t buffer[4096];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 4096);
    ASSERT_GT(length, 0u);
    const std::wstring text(buffer, length);
    EXPECT_EQ(text.find(L'/'), std::wstring::npos);
    EXPECT_EQ(LocalPath(text), std::filesystem::canonical("/proc/self/exe"));
}

TEST(WinPath, EnsureDriveFolderCreatesOnlyTheDriveFolder)
{
    TempDrive drive;
    std::filesystem::remove_all(drive.path());
    EnsureDriveFolder(L"tmp\\nothing");
    EXPECT_FALSE(std::filesystem::exists(drive.path())) << "a relative path names no drive";
    EnsureDriveFolder(L"\\sub\\iptools.log");
    EXPECT_TRUE(std::filesystem::is_directory(drive.path())) << "a rooted path is on c:";
    std::filesystem::remove_all(drive.path());
    EnsureDriveFolder(L"c:\\sub\\iptools.log");
    EXPECT_TRUE(std::filesystem::is_directory(drive.path()));
    EXPECT_FALSE(std::filesystem::exists(drive / "sub"));
    EnsureDriveFolder(L"q:\\x"); // unmapped: nothing to create, no failure
}

} // namespace
