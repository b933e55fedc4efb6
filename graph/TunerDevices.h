#pragma once
// Binding the chosen tuner and finding the receiver component that connects
// behind it. User-interface thread, inside a COM apartment.
#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"

#include <string>

// Binds the device at position index (counting from 0) of the broadcast
// network tuner category, writes its name to the diagnostic log, copies it to
// name and adds the tuner to the graph with no name. Returns the add's result
// with tuner set; E_FAIL with tuner null when the category cannot be
// enumerated, ends before index or the device does not bind.
HRESULT CreateTunerDevice(IGraphBuilder* graph, int index, ComPtr<IBaseFilter>& tuner, std::wstring& name);

// Tries the receiver components in enumeration order: each one that binds is
// added to the graph and connected behind the tuner (ConnectFilters). The first
// that connects becomes capture, S_OK. One that does not connect stays in the
// graph unconnected. E_FAIL with capture null when none connects.
HRESULT CreateCaptureFilter(IGraphBuilder* graph, IBaseFilter* tuner, ComPtr<IBaseFilter>& capture);
