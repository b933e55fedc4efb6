#pragma once
// Installs the device side of the simulated machine in the class registry:
// the system device enumerator over a catalogue, the system tuning space
// store over its file, the DVB-S tuning space, locator and tune request
// classes, and the DVB-S network provider. Called by the machine's installer or a test, on any thread.
#include "runtime/devices/DeviceCatalog.h"

#include <filesystem>
#include <memory>

namespace runtime {

void RegisterDeviceClasses(std::shared_ptr<DeviceCatalog> catalog, const std::filesystem::path& tuningSpaceFile);

// The file of the simulated system that keeps the installed tuning spaces:
// c:\ProgramData\TuningSpaces.ini through the drive mapping.
std::filesystem::path DefaultTuningSpaceFile();

} // namespace runtime
