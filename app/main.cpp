// The program: the simulated machine behind the Windows interfaces (the world
// KAVRO_SIM names, else the embedded default world), the dialog toolkit with its
// automation, and the application object, whose start-up runs the whole program.
//
// Exit status: 0 after a normal end; 1 when the machine could not be installed;
// 3 when a UI script (KAVRO_UI_SCRIPT) failed: a line that errors, a script that
// cannot be read, or the program ending before the script did.
#include "app/AppResources.h"
#include "app/CBDAUtilApp.h"
#include "app/CommandLine.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/automation/UiAutomation.h"
#include "sim/Install.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kScriptFailed = 3;

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
    // Declared after the Qt application, so it goes first: its device-removal
    // notice can no longer arrive once the windows are gone.
    const std::unique_ptr<sim::SimulatedMachine> machine = sim::InstallSimulatedMachine();
    if (!machine) {
        std::fprintf(stderr, "Kavro-TScap: the simulated machine could not be installed\n");
        return 1;
    }
    // A removal reaches the windows as the system's device-change broadcast does.
    machine->SetDeviceRemovalHandler([] { BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0); });

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
