// The program: a machine behind the Windows interfaces, the dialog toolkit with
// its automation, and the application object, whose start-up runs the whole
// program. On Linux the machine is the real DVB tuners when a satellite
// frontend exists and KAVRO_SIM names no world, else the simulated one (the
// world KAVRO_SIM names, else the embedded default world); KAVRO_MACHINE=dvb or
// =sim forces one. On the DVB tuners the window title and c:\iptools.log say so.
// On Windows the machine is the system's (its media graph, device enumerator,
// tuning spaces and network provider, the Kavro drivers): the simulated one runs
// only when KAVRO_SIM names a world or KAVRO_MACHINE=sim asks for it.
//
// Exit status: 0 after a normal end; 1 when the machine could not be installed;
// 3 when a UI script (KAVRO_UI_SCRIPT) failed: a line that errors, a script that
// cannot be read, or the program ending before the script did.
#include "app/AppResources.h"
#include "app/CBDAUtilApp.h"
#include "app/CommandLine.h"
#include "process/DiagLog.h"
#include "process/MachineName.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/automation/UiAutomation.h"
#include "sim/Install.h"

#ifdef _WIN32
#include "app/ProductVersionText.h"
#include "app/win32/ParentConsole.h"
#else
#include "dvb/Install.h"

#include <QApplication>
#endif

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kScriptFailed = 3;

bool WorldNamed()
{
    const char* world = std::getenv("KAVRO_SIM");
    return world && *world;
}

#ifdef _WIN32
// The system's devices are what a Windows user has; the simulation is asked for.
bool UseSimulatedMachine()
{
    const char* forced = std::getenv("KAVRO_MACHINE");
    if (forced && std::string_view(forced) == "sim") return true;
    if (forced && *forced) return false;
    return WorldNamed();
}

// The version the program's file carries ("3.0.0.8"), as the About box shows it.
std::string FileVersion()
{
    std::string version;
    for (wchar_t c : GetProductVersionText()) {
        if (c != L' ') version += static_cast<char>(c);
    }
    return version;
}
#else
bool UseDvbTuners()
{
    const char* forced = std::getenv("KAVRO_MACHINE");
    if (forced && std::string_view(forced) == "dvb") return true;
    if (forced && std::string_view(forced) == "sim") return false;
    return !WorldNamed() && dvb::SatelliteFrontendPresent();
}
#endif

// A removal reaches the windows as the system's device-change broadcast does.
void BroadcastRemoval() { BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0); }

// The simulated machine, its device removals broadcast to the windows; null,
// after saying so on stderr, when it could not be installed.
std::unique_ptr<sim::SimulatedMachine> StartSimulatedMachine()
{
    std::unique_ptr<sim::SimulatedMachine> machine = sim::InstallSimulatedMachine();
    if (!machine) {
        std::fprintf(stderr, "Kavro-TScap: the simulated machine could not be installed\n");
        return nullptr;
    }
    machine->SetDeviceRemovalHandler(BroadcastRemoval);
    return machine;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    UseParentConsole();
    const std::string version = FileVersion();
#else
    const std::string version = KAVRO_VERSION;
#endif
    // Answered before the toolkit starts: no display is needed to ask for help.
    const CommandLineAnswer answer = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc), version);
    if (answer.exitNow) {
        std::fputs(answer.text.c_str(), answer.status == 0 ? stdout : stderr);
        return answer.status;
    }

#ifndef _WIN32
    QApplication qt(argc, argv);
#endif
    // Declared after the Qt application, so they go first: a device-removal
    // notice can no longer arrive once the windows are gone.
    std::unique_ptr<sim::SimulatedMachine> simulated;
#ifdef _WIN32
    // Without it the system's classes answer, and its own device-change
    // broadcasts reach the windows.
    if (UseSimulatedMachine()) {
        simulated = StartSimulatedMachine();
        if (!simulated) return 1;
    }
#else
    std::unique_ptr<dvb::DvbMachine> tuners;
    if (UseDvbTuners()) {
        tuners = dvb::InstallDvbMachine();
        if (!tuners) return 1;
        std::fprintf(stderr, "Kavro-TScap: running on the DVB tuners of this machine (%zu satellite frontends)\n",
                     tuners->Frontends().size());
        // The title and the log name the machine; the simulated machine's stay
        // as they always were.
        machineName = L"Linux DVB tuners";
        LogLine(L"Machine: %s (%d satellite frontends)", machineName.c_str(),
                static_cast<int>(tuners->Frontends().size()));
        tuners->SetDeviceRemovalHandler(BroadcastRemoval);
    } else {
        simulated = StartSimulatedMachine();
        if (!simulated) return 1;
    }
#endif

    CBDAUtilApp app;
    RegisterAppResources();
    const std::unique_ptr<UiAutomation> automation = EnableUiAutomation();
    app.InitInstance();
    if (!automation->ScriptSucceeded()) {
        std::fprintf(stderr, "Kavro-TScap: the UI script did not run to its end (see the transcript)\n");
        return kScriptFailed;
    }
    return 0;
}
