#include "tuner/Dvbs2Options.h"

#include "graph/DriverPayloads.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "platform/com/DebugOut.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/MessageBox.h"

namespace {

// The outcome of a user's action: application title, no icon.
void ResultBox(HWND owner, LPCWSTR text)
{
    const std::wstring title = AfxGetAppName();
    MessageBox(owner, text, title.c_str(), MB_OK);
}

bool HaveInterface() { return bool(TunerGraph::Process().m_pKsCtrl); }

// One reset step; the debugger hears how it went.
bool SendResetCode(REFGUID set, ULONG id, LONG code, std::uint32_t codeType)
{
    GoldCodeParams params = MakeGoldCodeParams(code, codeType);
    if (FAILED(KsSet(set, id, params))) {
        OutputDebugStringW(L"Set KSPROPERTY_BDA_GOLDCODE error");
        return false;
    }
    OutputDebugStringW(L"Successful set the GoldCode!");
    return true;
}

} // namespace

void Dvbs2Options::SelectOutputStream(int index)
{
    if (index == 0 || index == 1) m_stream = MakeStreamTypeParams(index == 0);
}

bool Dvbs2Options::ReadStreamType(HWND owner)
{
    if (!HaveInterface()) {
        ShowKsUnsupported(owner, KsCallSite::NoInterface);
        return false;
    }
    if (IsUsbTuner()) return true;
    if (FAILED(KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS))) {
        ShowKsUnsupported(owner, KsCallSite::StreamTypeRead);
        return false;
    }
    // Read into a copy: a refused get must leave the choice as it was, whatever
    // the driver wrote into the buffer.
    StreamTypeParams driver = m_stream;
    if (FAILED(KsGet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS, driver))) {
        AppWarningBox(L"Get KSPROPERTY_BDA_GET_MEDIAINFO error");
        return false;
    }
    m_stream = driver;
    return true;
}

bool Dvbs2Options::StreamTypeMatches(HWND owner)
{
    if (!HaveInterface()) {
        ShowKsUnsupported(owner, KsCallSite::NoInterface);
        return false;
    }
    if (FAILED(KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS))) {
        ShowKsUnsupported(owner, KsCallSite::StreamTypeCompare);
        return false;
    }
    StreamTypeParams driver{};
    if (FAILED(KsGet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS, driver))) {
        AppWarningBox(L"Get KSPROPERTY_BDA_GET_MEDIAINFO error");
        return false;
    }
    return driver.ts == m_stream.ts && driver.gs == m_stream.gs;
}

bool Dvbs2Options::SendStreamType(HWND owner)
{
    // The card changes its output only while the graph stands; "Lock TP" runs
    // it again after tuning.
    if (IMediaControl* control = TunerGraph::Process().mediaControl.Get()) control->Stop();
    if (!HaveInterface()) return false;
    if (IsUsbTuner()) return true;
    if (FAILED(KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS))) {
        ShowKsUnsupported(owner, KsCallSite::StreamTypeSet);
        return false;
    }
    StreamTypeParams choice = m_stream;
    if (FAILED(KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS, choice))) {
        AppWarningBox(L"Get KSPROPERTY_BDA_STREAMTYPE_PARAMS error");
        return false;
    }
    return true;
}

void Dvbs2Options::SetPlsCode(HWND owner, LONG code, LONG codeType)
{
    GoldCodeParams params = MakeGoldCodeParams(code, static_cast<std::uint32_t>(codeType));
    if (!HaveInterface()) return;
    const bool usb = IsUsbTuner();
    const GUID& set = usb ? KSPROPSETID_CTRL_EXTENSION : KSPROPSETID_BDA_EXTENSION;
    const ULONG id = usb ? KSPROPERTY_CTRL_GOLDCODE : KSPROPERTY_BDA_GOLDCODE;
    if (FAILED(KsQuerySupported(set, id))) {
        ShowKsUnsupported(owner, usb ? KsCallSite::ControlSetUnsupported : KsCallSite::ScramblingCodeSet);
        return;
    }
    if (FAILED(KsSet(set, id, params))) {
        ResultBox(owner, L"Failed set the PLSCode.please have a check whether you are using the latest driver");
        return;
    }
    ResultBox(owner, L"Successfully set the PLSCode.");
}

void Dvbs2Options::ResetScrambling(HWND owner)
{
    if (!HaveInterface()) return;
    const bool usb = IsUsbTuner();
    const GUID& set = usb ? KSPROPSETID_CTRL_EXTENSION : KSPROPSETID_BDA_EXTENSION;
    const ULONG id = usb ? KSPROPERTY_CTRL_GOLDCODE : KSPROPERTY_BDA_GOLDCODE;
    if (FAILED(KsQuerySupported(set, id))) {
        if (!usb) ShowKsUnsupported(owner, KsCallSite::ScramblingCodeReset);
        return;
    }
    // Root code 1 and gold code 0 both name the default sequence; a driver
    // that refused the first is not asked again.
    if (SendResetCode(set, id, 1, GOLDCODE_TYPE_ROOT)) SendResetCode(set, id, 0, GOLDCODE_TYPE_GOLD);
}

void Dvbs2Options::SendModcods(HWND owner, ModcodList& list)
{
    if (!HaveInterface()) return;
    if (!IsUsbTuner()) {
        if (FAILED(KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_MODCODES))) {
            ShowKsUnsupported(owner, KsCallSite::ScramblingCodeSet);
            return;
        }
        if (FAILED(KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_MODCODES, list))) {
            ResultBox(owner, L"Failed set the Mode Codes.please have a check whether you are using the latest driver");
            return;
        }
        ResultBox(owner, L"Successfully set the Mode Codes..");
        return;
    }
    if (FAILED(KsQuerySupported(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_MODCODES))) {
        ShowKsUnsupported(owner, KsCallSite::ControlSetUnsupported);
        return;
    }
    if (FAILED(KsSet(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_MODCODES, list))) {
        ResultBox(owner, L"Failed set the mode code .please have a check whether you are using the latest driver");
        return;
    }
    ResultBox(owner, L"Successfully set the MODCODES.");
}
