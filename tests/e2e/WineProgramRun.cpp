#include "tests/e2e/WineProgramRun.h"

#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/WinePath.h"
#include "tests/support/SystemFolders.h"
#include "tests/support/TempDir.h"

#include <sys/wait.h>

#include <cstdlib>

namespace {

std::filesystem::path Setting(const char* name, const std::filesystem::path& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : fallback;
}

} // namespace

std::optional<WineSetup> WineSetupFromEnvironment(std::string& why)
{
    const char* program = std::getenv("KAVRO_WINDOWS_PROGRAM");
    if (!program || !*program) {
        why = "KAVRO_WINDOWS_PROGRAM names no Windows build of the program (the wine test preset sets it to "
              "build/windows/Kavro-TScap.exe)";
        return std::nullopt;
    }
    return WineSetup{
        .program = program,
        .prefix = Setting("WINEPREFIX", KAVRO_WINE_PREFIX),
        .session = Setting("KAVRO_WINE_SESSION", KAVRO_WINE_SESSION),
        .wineRun = KAVRO_WINE_RUN,
    };
}

ProgramOutput RunWindowsProgram(const WineSetup& setup, const std::string& script, const ProgramRunOptions& options)
{
    ProgramOutput run;
    run.dir = std::make_shared<TempDir>();
    const TempDir& dir = *run.dir;
    const OwnProgramFolder own(OwnProgramFolder::Data::Shipped, setup.program);
    TempDir::WriteFile(dir / "script.txt", script);
    std::filesystem::create_directories(dir / "c");
    // Windows has no simulated machine unless asked (KAVRO_MACHINE=sim): without a
    // world file it would run on the system's own devices.
    std::string worldSetting = "-u KAVRO_SIM KAVRO_MACHINE=sim";
    if (!options.world.empty()) {
        TempDir::WriteFile(dir / "world.ini", options.world);
        worldSetting = "KAVRO_MACHINE=sim KAVRO_SIM='" + WinePath(dir / "world.ini") + "'";
    }
    ClearDriveRoot(setup.DriveC());
    const std::string command = options.shellPrefix + "env -u KAVRO_DRIVE_C " + worldSetting + " WINEPREFIX='" +
        setup.prefix.string() + "' KAVRO_WINE_SESSION='" + setup.session.string() + "' KAVRO_UI_SCRIPT='" +
        WinePath(dir / "script.txt") + "' KAVRO_UI_TRANSCRIPT='" + WinePath(dir / "transcript.txt") +
        "' KAVRO_SIM_JOURNAL='" + WinePath(dir / "journal.txt") + "' " + options.environment + " '" +
        setup.wineRun.string() + "' '" + own.Program().string() + "' 2>'" + (dir / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    if (run.exitCode > 128) run.signal = run.exitCode - 128;
    CopyDriveRoot(setup.DriveC(), dir / "c");
    ClearDriveRoot(setup.DriveC());
    run.transcript = TempDir::ReadFile(dir / "transcript.txt");
    run.journal = TempDir::ReadFile(dir / "journal.txt");
    run.log = TempDir::ReadFile(dir / "c" / "iptools.log");
    run.errors = TempDir::ReadFile(dir / "stderr.txt");
    return run;
}
