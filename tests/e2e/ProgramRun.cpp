#include "tests/e2e/ProgramRun.h"

#include "tests/support/TempDir.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

std::filesystem::path ProgramOutput::DriveC() const { return *dir / "c"; }

std::string ProgramOutput::FileOnC(const std::string& name) const { return TempDir::ReadFile(DriveC() / name); }

std::string ProgramOutput::LastJournalLine() const
{
    const std::vector<std::string> lines = Lines(journal);
    return lines.empty() ? std::string() : lines.back();
}

ProgramOutput RunProgram(const std::string& script, const ProgramRunOptions& options)
{
    ProgramOutput run;
    run.dir = std::make_shared<TempDir>();
    const TempDir& dir = *run.dir;
    TempDir::WriteFile(dir / "script.txt", script);
    std::filesystem::create_directories(dir / "c");
    std::string worldSetting = "-u KAVRO_SIM";
    if (!options.world.empty()) {
        TempDir::WriteFile(dir / "world.ini", options.world);
        worldSetting = "KAVRO_SIM='" + (dir / "world.ini").string() + "'";
    }
    const std::string command = options.shellPrefix + "env " + worldSetting +
        " QT_QPA_PLATFORM=offscreen KAVRO_DRIVE_C='" + (dir / "c").string() + "' KAVRO_UI_SCRIPT='" +
        (dir / "script.txt").string() + "' KAVRO_UI_TRANSCRIPT='" + (dir / "transcript.txt").string() +
        "' KAVRO_SIM_JOURNAL='" + (dir / "journal.txt").string() + "' " + options.environment + " '" +
        options.program.string() + "' 2>'" + (dir / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    // The shell reports a program ended by a signal as 128 plus its number.
    if (run.exitCode > 128) run.signal = run.exitCode - 128;
    run.transcript = TempDir::ReadFile(dir / "transcript.txt");
    run.journal = TempDir::ReadFile(dir / "journal.txt");
    run.log = TempDir::ReadFile(dir / "c" / "iptools.log");
    run.errors = TempDir::ReadFile(dir / "stderr.txt");
    return run;
}

std::string TransportStreamFault(const std::string& file)
{
    if (file.size() % 188 != 0) return "a partial packet at the end";
    std::vector<int> last(8192, -1);
    for (std::size_t at = 0; at < file.size(); at += 188) {
        const auto* p = reinterpret_cast<const unsigned char*>(file.data() + at);
        if (p[0] != 0x47) return "lost sync at byte " + std::to_string(at);
        const int pid = ((p[1] & 0x1F) << 8) | p[2];
        if (pid == 0x1FFF || (p[3] & 0x10) == 0) continue;
        const int cc = p[3] & 0x0F;
        int& previous = last[static_cast<std::size_t>(pid)];
        if (previous >= 0 && cc != ((previous + 1) & 0x0F)) {
            return "continuity broken on PID " + std::to_string(pid) + " at byte " + std::to_string(at);
        }
        previous = cc;
    }
    return "";
}
