#include "graph/GraphConnect.h"

#include "process/DiagLog.h"
#include "platform/com/ComPtr.h"

#include <cwchar>

namespace {

// A pin's information with the filter reference it carries released.
struct PinInfo {
    PIN_DIRECTION dir = PINDIR_INPUT;
    std::wstring name;
};

HRESULT ReadPinInfo(IPin* pin, PinInfo& info)
{
    PIN_INFO raw{};
    const HRESULT hr = pin->QueryPinInfo(&raw);
    if (FAILED(hr)) {
        return hr;
    }
    if (raw.pFilter) {
        raw.pFilter->Release();
    }
    raw.achName[MAX_PIN_NAME - 1] = L'\0';
    info.dir = raw.dir;
    info.name = raw.achName;
    return hr;
}

// A pin is free when it does not report a connected peer.
bool IsFree(IPin* pin)
{
    ComPtr<IPin> peer;
    return FAILED(pin->ConnectedTo(&peer)) || !peer;
}

ComPtr<IPin> FindFreePin(IBaseFilter* filter, PIN_DIRECTION direction, LPCWSTR name)
{
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins) {
        return nullptr;
    }
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin) {
        if (!IsFree(pin.Get())) {
            continue;
        }
        PIN_DIRECTION dir{};
        if (FAILED(pin->QueryDirection(&dir)) || dir != direction) {
            continue;
        }
        if (name) {
            PinInfo info;
            if (FAILED(ReadPinInfo(pin.Get(), info)) || info.name != name) {
                continue;
            }
        }
        return pin;
    }
    return nullptr;
}

} // namespace

HRESULT AddToGraph(IGraphBuilder* graph, IBaseFilter* filter)
{
    const HRESULT hr = graph ? graph->AddFilter(filter, nullptr) : E_POINTER;
    if (FAILED(hr)) {
        LogLine(L"FAILED: Cannot add the filter to the graph");
    }
    return hr;
}

HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* upstream, IBaseFilter* downstream)
{
    if (!graph || !upstream || !downstream) {
        return E_POINTER;
    }
    ComPtr<IEnumPins> upstreamPins;
    HRESULT hr = upstream->EnumPins(&upstreamPins);
    if (FAILED(hr)) {
        LogLine(L"FAIL: Cannot Enumerate Upstream Filter's Pins\n");
        return hr;
    }
    if (!upstreamPins) {
        return E_FAIL;
    }
    ComPtr<IPin> upstreamPin;
    while (upstreamPins->Next(1, upstreamPin.ReleaseAndGetAddressOf(), nullptr) == S_OK && upstreamPin) {
        PinInfo upstreamInfo;
        hr = ReadPinInfo(upstreamPin.Get(), upstreamInfo);
        if (FAILED(hr)) {
            LogLine(L"FAIL: Cannot Obtain Upstream Filter's PIN_INFO\n");
            return hr;
        }
        if (upstreamInfo.dir != PINDIR_OUTPUT || !IsFree(upstreamPin.Get())) {
            continue;
        }
        ComPtr<IEnumPins> downstreamPins;
        hr = downstream->EnumPins(&downstreamPins);
        if (FAILED(hr)) {
            LogLine(L"FAIL: Cannot enumerate pins on downstream filter!\n");
            return hr;
        }
        if (!downstreamPins) {
            continue;
        }
        ComPtr<IPin> downstreamPin;
        while (downstreamPins->Next(1, downstreamPin.ReleaseAndGetAddressOf(), nullptr) == S_OK && downstreamPin) {
            PinInfo downstreamInfo;
            if (FAILED(ReadPinInfo(downstreamPin.Get(), downstreamInfo))) {
                continue;
            }
            ComPtr<IPin> peer;
            hr = downstreamPin->ConnectedTo(&peer);
            if (FAILED(hr) && hr != VFW_E_NOT_CONNECTED) {
                LogLine(L"FAIL: Failed in pIPinDownstream->ConnectedTo()!\n");
                continue;
            }
            if (downstreamInfo.dir == PINDIR_INPUT && !peer &&
                SUCCEEDED(graph->Connect(upstreamPin.Get(), downstreamPin.Get()))) {
                return S_OK;
            }
        }
    }
    return E_FAIL;
}

void ConnectPins(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to, LPCWSTR outputPin, LPCWSTR inputPin)
{
    if (!graph) {
        ErrorBox(nullptr, L"ConnectPins builder == NULL");
        return;
    }
    if (!from) {
        ErrorBox(nullptr, L"ConnectPins out_from == NULL");
        return;
    }
    if (!to) {
        ErrorBox(nullptr, L"ConnectPins in_to == NULL");
        return;
    }
    const ComPtr<IPin> output = FindFreePin(from, PINDIR_OUTPUT, outputPin);
    if (!output) {
        AppWarningBox(L"CBDAGraph::ConnectPins() - No output pin found on filter\r\n");
        return;
    }
    const ComPtr<IPin> input = FindFreePin(to, PINDIR_INPUT, inputPin);
    if (!input) {
        AppWarningBox(L"CBDAGraph::ConnectPins() - No input pin found on filter\r\n");
        return;
    }
    // Anything but a plain S_OK (a partial success too) is reported.
    if (graph->Connect(output.Get(), input.Get()) != S_OK) {
        AppWarningBox(L"CBDAGraph::ConnectPins() - Could not connect pins together. Error was: ");
    }
}
