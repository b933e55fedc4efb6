#pragma once
// The Windows build of the program run under Wine as RunProgram runs the Linux
// one: the same script, world and environment settings, the paths among them
// given as Wine paths (Z:\...), in a folder of its own beside which it keeps its
// settings. Drive c: of a Windows program is its prefix's drive_c: emptied of
// everything but the system's folders before the run, and what the run left
// there (c:\iptools.log, recordings) copied into the run's folder after it, so
// ProgramOutput reads the same for both builds. The prefix has one drive c:, so
// runs on it take turns (the tests' RESOURCE_LOCK).
#include "tests/e2e/ProgramRun.h"

#include <filesystem>
#include <optional>
#include <string>

struct WineSetup {
    std::filesystem::path program; // the Windows build's Kavro-TScap.exe
    std::filesystem::path prefix;  // the Wine prefix (WINEPREFIX)
    std::filesystem::path session; // the Wine session's folder (cmake/wine-session.sh)
    std::filesystem::path wineRun; // cmake/wine-run.sh

    std::filesystem::path DriveC() const { return prefix / "drive_c"; }
};

// The setup the environment names: KAVRO_WINDOWS_PROGRAM the program, WINEPREFIX
// and KAVRO_WINE_SESSION the prefix and session (defaults: the build's). Without
// KAVRO_WINDOWS_PROGRAM there is none, and why says so.
std::optional<WineSetup> WineSetupFromEnvironment(std::string& why);

// options.program is not used: the run's own folder holds a link to setup.program
// with the shipped data beside it. options.environment's values are the
// program's, so paths in it are Wine paths; options.world likewise names them.
ProgramOutput RunWindowsProgram(const WineSetup& setup, const std::string& script,
                                const ProgramRunOptions& options = {});
