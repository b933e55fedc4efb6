#include "graph/KsControl.h"

#include "graph/TunerGraph.h"
#include "platform/com/WideText.h"

namespace {

IKsPropertySet* HeldInterface() { return TunerGraph::Process().m_pKsCtrl.Get(); }

} // namespace

bool IsUsbTuner()
{
    IKsPropertySet* const ks = HeldInterface();
    if (!ks) {
        return false;
    }
    DWORD support = 0;
    return SUCCEEDED(ks->QuerySupported(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_PROBE, &support));
}

ComPtr<IPin> FindPinByName(IBaseFilter* filter, std::string_view text)
{
    if (!filter) {
        return nullptr;
    }
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins) {
        return nullptr;
    }
    ComPtr<IPin> match;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin) {
        PIN_INFO info{};
        if (FAILED(pin->QueryPinInfo(&info))) {
            continue;
        }
        if (info.pFilter) {
            info.pFilter->Release();
        }
        info.achName[MAX_PIN_NAME - 1] = L'\0';
        // UTF-8 is this system's 8-bit code page.
        if (ToUtf8(info.achName).find(text) != std::string::npos) {
            match = pin;
        }
    }
    return match;
}

KsCtrlPath ObtainKsCtrl(IBaseFilter* tunerDevice, HWND owner, ComPtr<IPin>& inputPin)
{
    TunerGraph& record = TunerGraph::Process();
    ReleaseKsCtrl(record);
    inputPin = nullptr;
    if (!tunerDevice) {
        return KsCtrlPath::NoInterface;
    }
    if (FAILED(tunerDevice->QueryInterface(IID_PPV_ARGS(record.m_pKsCtrl.ReleaseAndGetAddressOf()))) ||
        !record.m_pKsCtrl) {
        record.m_pKsCtrl = nullptr;
        ErrorBox(owner, L"m_pTunerDevice USB QueryInterface Failed");
        return KsCtrlPath::Refused;
    }
    if (IsUsbTuner()) {
        return KsCtrlPath::Usb;
    }
    // A PCI-E card: the filter's own interface is not the one the driver
    // answers on.
    record.m_pKsCtrl = nullptr;
    inputPin = FindPinByName(tunerDevice, "Input0");
    if (!inputPin) {
        return KsCtrlPath::NoInterface;
    }
    if (FAILED(inputPin->QueryInterface(IID_PPV_ARGS(record.m_pKsCtrl.ReleaseAndGetAddressOf()))) ||
        !record.m_pKsCtrl) {
        record.m_pKsCtrl = nullptr;
        ErrorBox(owner, L"m_pTunerDevice PCI/PCI-E QueryInterface Failed");
        return KsCtrlPath::Refused;
    }
    return KsCtrlPath::Pci;
}

HRESULT KsQuerySupported(REFGUID set, ULONG id)
{
    IKsPropertySet* const ks = HeldInterface();
    if (!ks) {
        return E_POINTER;
    }
    DWORD support = 0;
    return ks->QuerySupported(set, id, &support);
}

HRESULT KsSet(REFGUID set, ULONG id, void* buffer, DWORD size)
{
    IKsPropertySet* const ks = HeldInterface();
    if (!ks || !buffer) {
        return E_POINTER;
    }
    return ks->Set(set, id, buffer, size, buffer, size);
}

HRESULT KsGet(REFGUID set, ULONG id, void* buffer, DWORD size)
{
    IKsPropertySet* const ks = HeldInterface();
    if (!ks || !buffer) {
        return E_POINTER;
    }
    DWORD returned = 0;
    return ks->Get(set, id, buffer, size, buffer, size, &returned);
}

HRESULT KsSetValueOnly(REFGUID set, ULONG id, void* value, DWORD size)
{
    IKsPropertySet* const ks = HeldInterface();
    if (!ks || !value) {
        return E_POINTER;
    }
    return ks->Set(set, id, nullptr, 0, value, size);
}

LPCWSTR KsUnsupportedText(KsCallSite site)
{
    switch (site) {
    case KsCallSite::StreamTypeCompare:
        return L"111don't support this interface";
    case KsCallSite::StreamTypeSet:
        return L"222don't support this interface";
    case KsCallSite::StreamTypeRead:
        return L"333don't support this interface";
    case KsCallSite::ScramblingCodeSet:
        return L"444don't support this interface";
    case KsCallSite::ScramblingCodeReset:
        return L"555don't support this interface";
    case KsCallSite::MediaInfoRead:
        return L"666don't support this interface";
    case KsCallSite::InputStreamId:
        return L"777don't support this interface";
    case KsCallSite::ControlSetUnsupported:
        return L"don't support this interface";
    case KsCallSite::DiseqcBda:
        return L"SendDiseqCommand11 QueryInterface Failed";
    case KsCallSite::DiseqcControl:
        return L"OnMotor22 false";
    case KsCallSite::NoInterface:
        return L"m_pKsCtrl==NULL";
    }
    return L"don't support this interface";
}

void ShowKsUnsupported(HWND owner, KsCallSite site) { ErrorBox(owner, KsUnsupportedText(site)); }
