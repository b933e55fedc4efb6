#pragma once
// Enumeration of the devices of one category (the broadcast network tuners, the
// receiver components, ...), one device at a time, through the system device
// enumerator. Used by the device selection and by the graph builder, on the
// user-interface thread, inside a COM apartment.
//
// A DeviceEnum owns one reference to the system device enumerator, one to the
// category's moniker enumerator and one to the current device (none before the
// first enum_next). enum_create hands the context to the caller, who gives it
// back with enum_free (or holds it in a DeviceEnumPtr).
#include "platform/com/ComPtr.h"
#include "platform/dshow/DeviceInterfaces.h"

#include <array>
#include <memory>
#include <string>

// Longest friendly name kept, in characters; one more for the terminator.
inline constexpr std::size_t kDeviceNameChars = 255;

struct DeviceEnum {
    ComPtr<IEnumMoniker> monikers;
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IMoniker> current;
    // The current device's friendly name, filled by enum_get_name: UTF-8 of at most
    // kDeviceNameChars bytes, never cut inside a character, terminated.
    std::array<char, kDeviceNameChars + 1> name{};
    // The same name as wide text, at most kDeviceNameChars characters, terminated.
    std::array<wchar_t, kDeviceNameChars + 1> wideName{};
};

// Starts an enumeration of category. Null when the system device enumerator
// cannot be created, when the category cannot be enumerated or when it is
// empty; each case writes its line to the debugger output.
DeviceEnum* enum_create(REFGUID category);

// Drops the current device and steps to the next one. 0 (S_OK) while there is a
// device, non-zero at the end, also for a null context.
HRESULT enum_next(DeviceEnum* context);

// Binds the current device to its filter. 0 on success with one reference for
// the caller in *filter; the bind's failure code; 1 (S_FALSE) when the bind
// succeeds without a filter. E_POINTER for a null context or filter,
// E_UNEXPECTED before the first device.
HRESULT enum_bind(DeviceEnum* context, IBaseFilter** filter);

// Reads the current device's "FriendlyName" into both name fields of the
// context; 0 on success. Both fields are emptied first, so a failure leaves
// them empty. Longer names are cut to kDeviceNameChars characters. A failed
// property store or read is written to the diagnostic log.
HRESULT enum_get_name(DeviceEnum* context);

// Releases the current device, the system device enumerator and the moniker
// enumerator, in that order, and frees the context. Null: nothing.
void enum_free(DeviceEnum* context);

struct DeviceEnumFree {
    void operator()(DeviceEnum* context) const { enum_free(context); }
};
using DeviceEnumPtr = std::unique_ptr<DeviceEnum, DeviceEnumFree>;
