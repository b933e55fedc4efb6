// An installed program's folder cannot be written by its user: the settings are
// saved to, and read back from, the user's own store, and the shipped file stays.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TextLines.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

struct StoreRun {
    int status = -1;
    std::string transcript;
};

// Runs the program from folder as a user without write access to it: root's
// permission checks would pass, so root runs it as "nobody".
StoreRun RunAsUser(const fs::path& program, const TempDir& home, const std::string& script)
{
    TempDir::WriteFile(home / "script.txt", script);
    std::remove((home / "transcript.txt").string().c_str());
    const std::string user = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = user + "env -u KAVRO_SIM QT_QPA_PLATFORM=offscreen HOME='" + home.path().string() +
        "' XDG_DATA_HOME='" + (home / "data").string() + "' KAVRO_DRIVE_C='" + (home / "c").string() +
        "' KAVRO_UI_SCRIPT='" + (home / "script.txt").string() + "' KAVRO_UI_TRANSCRIPT='" +
        (home / "transcript.txt").string() + "' '" + program.string() + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    StoreRun run;
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    run.transcript = TempDir::ReadFile(home / "transcript.txt");
    return run;
}

TEST(SettingsStoreRun, SettingsOfAReadOnlyProgramFolderAreKeptInTheUsersStore)
{
    OwnProgramFolder folder;
    const std::string shippedText = TempDir::ReadFile(KAVRO_SHIPPED_SETTINGS);
    ASSERT_FALSE(shippedText.empty());
    TempDir::WriteFile(folder.Folder() / "Kavro-TScap.ini", shippedText);
    TempDir home;
    fs::create_directories(home / "c");
    fs::create_directories(home / "data");
    for (const fs::path& p : {home.path(), home / "c", home / "data"}) {
        fs::permissions(p, fs::perms::all);
    }
    fs::permissions(folder.Folder(),
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec);

    // The shipped values are read; a new frequency is entered and saved by Lock TP.
    const StoreRun first = RunAsUser(folder.Program(), home,
                                     UiScriptText()
                                         .Select(IDC_DEVICE_LIST, 2)
                                         .Click(IDOK)
                                         .Dump(IDC_LNB_LOW)
                                         .Text(IDC_FREQUENCY_EDIT, "11836")
                                         .Text(IDC_SYMBOLRATE_EDIT, "27500")
                                         .Click(IDOK)
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED"));
    fs::permissions(folder.Folder(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(0, first.status) << first.transcript;
    EXPECT_TRUE(HasLinesInOrder(first.transcript, {"control 1013 edit \"9750\" enabled=1 visible=1"}))
        << first.transcript;
    EXPECT_EQ(std::string::npos, first.transcript.find("msgbox")) << first.transcript;

    EXPECT_EQ(shippedText, TempDir::ReadFile(folder.Folder() / "Kavro-TScap.ini")) << "the shipped file stays";
    const fs::path stored =
        home / "data" / "Kavro-TScap" / "VirtualStore" / folder.Folder().relative_path() / "Kavro-TScap.ini";
    const std::string storedText = TempDir::ReadFile(stored);
    EXPECT_NE(std::string::npos, storedText.find("freq=11836")) << storedText;
    EXPECT_NE(std::string::npos, storedText.find("lnblow=9750")) << "the shipped values are kept: " << storedText;
    EXPECT_EQ(0u, storedText.rfind("; Kavro-TScap's settings", 0)) << "copied whole: " << storedText;

    // The next start reads the user's copy.
    fs::permissions(folder.Folder(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const StoreRun second = RunAsUser(folder.Program(), home,
                                      UiScriptText().Select(IDC_DEVICE_LIST, 2).Click(IDOK).Dump(IDC_FREQUENCY_EDIT));
    fs::permissions(folder.Folder(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(0, second.status) << second.transcript;
    EXPECT_TRUE(HasLinesInOrder(second.transcript, {"control 1012 edit \"11836\" enabled=1 visible=1"}))
        << second.transcript;
}

} // namespace
