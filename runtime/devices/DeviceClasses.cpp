#include "runtime/devices/DeviceClasses.h"

#include "platform/com/ClassRegistry.h"
#include "platform/files/WinPath.h"
#include "runtime/devices/DVBSLocator.h"
#include "runtime/devices/DVBSTuningSpace.h"
#include "runtime/devices/DVBTuneRequest.h"
#include "runtime/devices/DeviceEnumerator.h"
#include "runtime/devices/NetworkProvider.h"
#include "runtime/devices/TuningSpaceStore.h"

namespace runtime {

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

} // namespace runtime
