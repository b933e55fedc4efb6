// The program: a machine behind the Windows interfaces, the dialog toolkit with
// its automation, and the application object, whose start-up runs the whole
// program. The machine is the real DVB tuners when a satellite frontend exists
// and KAVRO_SIM names no world, else the simulated one (the world KAVRO_SIM
// names, else the embedded default world); KAVRO_MACHINE=dvb or =sim forces one.
// On the DVB tuners the window title and c:\iptools.log say so.
//
// Exit status: 0 after a normal end; 1 when the machine could not be installed;
// 3 when a UI script (KAVRO_UI_SCRIPT) failed: a line that errors, a script that
// cannot be read, or the program ending before the script did.
#include "app/AppResources.h"
#include "app/CBDAUtilApp.h"
#include "app/CommandLine.h"
#include "dvb/Install.h"
#include "process/DiagLog.h"
#include "process/MachineName.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/automation/UiAutomation.h"
#include "sim/Install.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kScriptFailed = 3;

bool UseDvbTuners()
{
    const char* forced = std::getenv("KAVRO_MACHINE");
    if (forced && std::string_view(forced) == "dvb") return true;
    if (forced && std::string_view(forced) == "sim") return false;
    const char* world = std::getenv("KAVRO_SIM");
    return !(world && *world) && dvb::SatelliteFrontendPresent();
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before Qt starts: no display is needed to ask for help.
    const CommandLineAnswer answer = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc), KAVRO_VERSION);
    if (answer.exitNow) {
        std::fputs(answer.text.c_str(), answer.status == 0 ? stdout : stderr);
        return answer.status;
    }

    QApplication qt(argc, argv);
    // A removal reaches the windows as the system's device-change broadcast does.
    const auto removed = [] { BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0); };
    // Declared after the Qt application, so they go first: a device-removal
    // notice can no longer arrive once the windows are gone.
    std::unique_ptr<dvb::DvbMachine> tuners;
    std::unique_ptr<sim::SimulatedMachine> simulated;
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
        tuners->SetDeviceRemovalHandler(removed);
    } else {
        simulated = sim::InstallSimulatedMachine();
        if (!simulated) {
            std::fprintf(stderr, "Kavro-TScap: the simulated machine could not be installed\n");
            return 1;
        }
        simulated->SetDeviceRemovalHandler(removed);
    }

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
