#pragma once
// The program's side of the driver's two private property sets: which object
// answers them (ObtainKsCtrl), which set a device kind uses (IsUsbTuner), the
// calls themselves on TunerGraph's m_pKsCtrl, and the texts each call site
// shows when a property is not supported.
//
// The USB box answers the control set (KSPROPSETID_CTRL_EXTENSION) on the
// tuner filter; the PCI-E cards answer the BDA extension set
// (KSPROPSETID_BDA_EXTENSION) on the tuner's input pin "Input0".
//
// Threads: ObtainKsCtrl and the release run on the user-interface thread; the
// property calls run on the user-interface and monitor threads without
// graphMutex, while m_pKsCtrl is held (the monitor is joined before the
// release).
#include "graph/GraphMessageBox.h"
#include "platform/com/ComPtr.h"
#include "platform/driver/KavroProperties.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/KsPropertySet.h"

#include <string_view>

// True when m_pKsCtrl answers the support query of KSPROPERTY_CTRL_PROBE with
// a non-negative status (the USB box); false otherwise and with no interface.
bool IsUsbTuner();

// The last pin of filter, in enumeration order, whose name (in the system's
// 8-bit code page) contains text, case-sensitively; null when none does or
// the pins cannot be enumerated. One reference for the caller.
ComPtr<IPin> FindPinByName(IBaseFilter* filter, std::string_view text);

// What ObtainKsCtrl found.
enum class KsCtrlPath {
    Usb,         // m_pKsCtrl is the tuner filter's interface
    Pci,         // m_pKsCtrl is the "Input0" pin's interface; the pin is in inputPin
    NoInterface, // no tuner filter or no "Input0" pin: m_pKsCtrl null, nothing shown
    Refused,     // the filter or the pin has no IKsPropertySet: its error box was shown
};

// Sets TunerGraph's m_pKsCtrl for the tuner filter tunerDevice (the page's
// m_pTunerDevice): the filter's own interface when it answers the control
// set's probe, else the interface of its pin named with "Input0", whose
// reference goes to inputPin. Refusals show "m_pTunerDevice USB QueryInterface
// Failed" or "m_pTunerDevice PCI/PCI-E QueryInterface Failed" (caption "error",
// owned by owner). User-interface thread, before the monitor starts.
KsCtrlPath ObtainKsCtrl(IBaseFilter* tunerDevice, HWND owner, ComPtr<IPin>& inputPin);

// The support query of one property on m_pKsCtrl; its status (only the sign
// is meant to be looked at). E_POINTER without an interface.
HRESULT KsQuerySupported(REFGUID set, ULONG id);

// Set and Get on m_pKsCtrl with one buffer of size bytes passed as instance
// data and as value. E_POINTER without an interface or buffer.
HRESULT KsSet(REFGUID set, ULONG id, void* buffer, DWORD size);
HRESULT KsGet(REFGUID set, ULONG id, void* buffer, DWORD size);
// Set with no instance data (KSPROPERTY_CTRL_DISEQC sends the tuning block so).
HRESULT KsSetValueOnly(REFGUID set, ULONG id, void* value, DWORD size);

template <class Payload>
HRESULT KsSet(REFGUID set, ULONG id, Payload& payload)
{
    return KsSet(set, id, &payload, sizeof(Payload));
}
template <class Payload>
HRESULT KsGet(REFGUID set, ULONG id, Payload& payload)
{
    return KsGet(set, id, &payload, sizeof(Payload));
}

// The call sites that report a property the driver does not support.
enum class KsCallSite {
    StreamTypeCompare,     // BDA 13 at "Lock TP"
    StreamTypeSet,         // BDA 13 set
    StreamTypeRead,        // BDA 13 at page initialisation
    ScramblingCodeSet,     // BDA 23 by "Set"; also BDA 24, the MODCOD list
    ScramblingCodeReset,   // BDA 23 when the page closes
    MediaInfoRead,         // BDA 12 and control 15
    InputStreamId,         // BDA 14
    ControlSetUnsupported, // control 20 and 21
    DiseqcBda,             // BDA 0 from the Tuner Setting page
    DiseqcControl,         // control 3 from the Tuner Setting page
    NoInterface,           // stream type compare and read without m_pKsCtrl
};

// The text the call site shows, caption "error" ("111don't support this
// interface" ... "777don't support this interface", ...).
LPCWSTR KsUnsupportedText(KsCallSite site);
// Shows it in an error box owned by owner.
void ShowKsUnsupported(HWND owner, KsCallSite site);
