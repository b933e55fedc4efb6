#include "graph/TunerDevices.h"

#include "graph/DeviceEnum.h"
#include "process/DiagLog.h"
#include "graph/GraphConnect.h"
#include "platform/dshow/DeviceInterfaces.h"

HRESULT CreateTunerDevice(IGraphBuilder* graph, int index, ComPtr<IBaseFilter>& tuner, std::wstring& name)
{
    tuner = nullptr;
    const DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_NETWORK_TUNER));
    if (!devices) {
        return E_FAIL;
    }
    for (int position = 0; enum_next(devices.get()) == S_OK; ++position) {
        if (position != index) {
            continue;
        }
        if (enum_bind(devices.get(), &tuner) != S_OK || !tuner) {
            tuner = nullptr;
            return E_FAIL;
        }
        enum_get_name(devices.get());
        LogLine(L"BDA Device Name: [%s]      (Tuner Type:%d)", devices->wideName.data(), 1);
        name = devices->wideName.data();
        return AddToGraph(graph, tuner.Get());
    }
    return E_FAIL;
}

HRESULT CreateCaptureFilter(IGraphBuilder* graph, IBaseFilter* tuner, ComPtr<IBaseFilter>& capture)
{
    capture = nullptr;
    const DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_RECEIVER_COMPONENT));
    if (!devices) {
        return E_FAIL;
    }
    while (enum_next(devices.get()) == S_OK) {
        ComPtr<IBaseFilter> candidate;
        if (enum_bind(devices.get(), &candidate) != S_OK || !candidate) {
            continue;
        }
        AddToGraph(graph, candidate.Get());
        HRESULT hr = E_FAIL;
        try {
            hr = ConnectFilters(graph, tuner, candidate.Get());
        } catch (...) {
            // A fault inside the connection is this candidate's failure.
            hr = E_UNEXPECTED;
        }
        if (SUCCEEDED(hr)) {
            capture = candidate;
            return S_OK;
        }
    }
    return E_FAIL;
}
