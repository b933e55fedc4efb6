// The program: the simulated machine behind the Windows interfaces (the world
// KAVRO_SIM names, else the embedded default world), the dialog toolkit with its
// automation, and the application object, whose start-up runs the whole program.
#include "app/AppResources.h"
#include "app/CBDAUtilApp.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/automation/UiAutomation.h"
#include "sim/Install.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
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
    return 0;
}
