// The program: the simulated machine behind the Windows interfaces, the dialog
// toolkit with its automation, and the application object, whose start-up runs
// the whole program.
#include "app/AppResources.h"
#include "app/CBDAUtilApp.h"
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/ui/UiAutomation.h"
#include "sim/SimExit.h"
#include "sim/devices/DeviceClasses.h"
#include "sim/graph/GraphClasses.h"
#include "sim/graph/MemAllocator.h"

#include <QApplication>

#include <memory>
#include <string>

namespace {

// The graph pieces of the machine and its device side: the system device
// enumerator and the tuning space store, with the tuners of the default world
// listed by name. Their filters are not installed yet, so binding one fails as a
// missing driver does.
void InstallMachine()
{
    RegisterGraphClasses();
    RegisterMemAllocatorClass();
    auto catalog = std::make_shared<DeviceCatalog>();
    for (const wchar_t* name : {L"Kavro N71 DVBS/S2 Tuner", L"Kavro N72 DVBS/S2 Tuner A",
                                L"Kavro N72 DVBS/S2 Tuner B", L"Kavro U31 DVBS2 Tuner"}) {
        catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, std::wstring(name), [](IBaseFilter** filter) {
            *filter = nullptr;
            return REGDB_E_CLASSNOTREG;
        });
    }
    RegisterDeviceClasses(catalog, DefaultTuningSpaceFile());
}

void UninstallMachine()
{
    ClearComClassRegistry();
    SimWriteExitLine();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    InstallMachine();
    {
        CBDAUtilApp app;
        RegisterAppResources();
        const std::unique_ptr<UiAutomation> automation = EnableUiAutomation();
        app.InitInstance();
    }
    UninstallMachine();
    return 0;
}
