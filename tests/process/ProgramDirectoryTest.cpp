// The program's folder, help file path and application title from the program
// file's path, as Windows texts.
#include "process/ProgramDirectory.h"

#include "platform/files/WinPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProgramDirectory, FolderAndTitleOfTheProgramFile)
{
    struct Case {
        const char* name;
        std::wstring program;
        std::wstring help;
        std::wstring directory;
        std::wstring title;
    };
    const Case cases[] = {
        {"a Windows installation", L"c:\\Program Files\\Kavro\\Kavro-TScap.exe",
         L"c:\\Program Files\\Kavro\\Kavro-TScap.chm", L"c:\\Program Files\\Kavro", L"Kavro-TScap"},
        {"a Linux build without extension", L"\\home\\tech\\build\\Kavro-TScap",
         L"\\home\\tech\\build\\Kavro-TScap.chm", L"\\home\\tech\\build", L"Kavro-TScap"},
        {"a dot in a folder name is not an extension", L"\\home\\tech\\.local\\bin\\Kavro-TScap",
         L"\\home\\tech\\.local\\bin\\Kavro-TScap.chm", L"\\home\\tech\\.local\\bin", L"Kavro-TScap"},
        {"only the last dot of the name counts", L"c:\\tools\\Kavro.TScap.exe", L"c:\\tools\\Kavro.TScap.chm",
         L"c:\\tools", L"Kavro.TScap"},
        {"a path without a backslash stays whole", L"Kavro-TScap.exe", L"Kavro-TScap.chm", L"Kavro-TScap.chm",
         L"Kavro-TScap"},
        {"a program in the drive's root", L"c:\\Kavro-TScap.exe", L"c:\\Kavro-TScap.chm", L"c:", L"Kavro-TScap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.help, DefaultHelpFilePath(c.program));
        EXPECT_EQ(c.directory, DirectoryOfPath(DefaultHelpFilePath(c.program)));
        EXPECT_EQ(c.title, ApplicationTitleOf(c.program));
    }
}

#ifdef _WIN32
// The program file's path is the system's own on Windows: no test path can be planted.
TEST(ProgramDirectory, ModuleFilePathIsTheRunningProgram)
{
    const std::wstring path = ModuleFilePath();
    const std::wstring name = L"\\process_test.exe";
    ASSERT_GT(path.size(), name.size());
    EXPECT_EQ(name, path.substr(path.size() - name.size()));
    EXPECT_EQ(L"process_test", ApplicationTitleOf(path));
}
#else
TEST(ProgramDirectory, AProgramPathLongerThanWindowsAllowsIsReadWhole)
{
    const std::wstring deep = L"\\srv" + std::wstring(40, L'\\') + std::wstring(600, L'd') + L"\\Kavro-TScap";
    OverrideModuleFileName(deep);
    EXPECT_EQ(deep, ModuleFilePath());
    OverrideModuleFileName(L"");
    EXPECT_FALSE(ModuleFilePath().empty());
}
#endif

} // namespace
