#pragma once
// The tuner the user chose in the device selection: its position in the tuner
// category's enumeration and its friendly name as listed. Set once by the device
// selection on the user-interface thread, before any other thread starts; read
// by the main window and the graph builder.
#include <cstdint>
#include <string>

// -1 until a device is chosen (and still -1 after OK on an empty list).
extern std::int32_t deviceIndex;
// Empty until the selection opens; kNoDeviceName when the list was empty.
extern std::wstring deviceName;

inline constexpr const wchar_t* kNoDeviceName = L"No Device";
