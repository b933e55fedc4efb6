#include "sim/devices/DeviceClasses.h"

#include "platform/com/ClassRegistry.h"
#include "platform/files/WinPath.h"
#include "sim/devices/DVBSLocator.h"
#include "sim/devices/DVBSTuningSpace.h"
#include "sim/devices/DVBTuneRequest.h"
#include "sim/devices/DeviceEnumerator.h"
#include "sim/devices/NetworkProvider.h"
#include "sim/devices/TuningSpaceStore.h"

void RegisterDeviceClasses(std::shared_ptr<DeviceCatalog> catalog, const std::filesystem::path& tuningSpaceFile)
{
    RegisterComClass(CLSID_SystemDeviceEnum, DeviceEnumerator::Factory(std::move(catalog)));
    RegisterComClass(CLSID_SystemTuningSpaces,
                     TuningSpaceStore::Factory(std::make_shared<TuningSpaceStoreFile>(tuningSpaceFile)));
    RegisterComClass(CLSID_DVBSTuningSpace, &DVBSTuningSpace::CreateInstance);
    RegisterComClass(CLSID_DVBSLocator, &DVBSLocator::CreateInstance);
    RegisterComClass(CLSID_DVBTuneRequest, &DVBTuneRequest::CreateInstance);
    RegisterComClass(CLSID_DVBSNetworkProvider, &NetworkProvider::CreateInstance);
}

std::filesystem::path DefaultTuningSpaceFile() { return LocalPath(L"c:\\ProgramData\\TuningSpaces.ini"); }
