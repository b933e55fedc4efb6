#include "app/SignalMonitor.h"

#include "app/MainWindowControls.h"
#include "process/SignalLocked.h"
#include "app/StreamInfoText.h"
#include "graph/DriverPayloads.h"
#include "graph/KsControl.h"

#include <cwchar>

namespace {

constexpr DWORD kCycleWait = 1000;
constexpr DWORD kSlowCycleExtra = 500;
constexpr DWORD kNoInterfaceWait = 500;
constexpr DWORD kRetuneDelay = 500;
// Above this, in both quality and strength, a locked signal is polled once a second.
constexpr BYTE kGoodSignal = 10;

// Every stream text a lost lock empties; MATYPE is not among them.
constexpr int kStreamTexts[] = {IDC_STREAM_TYPE, IDC_STANDARD,     IDC_MODULATION,   IDC_INPUT_STREAM, IDC_CODING,
                                IDC_INPUT_SYNC,  IDC_NULL_PACKETS, IDC_ROLL_OFF,     IDC_FEC,          IDC_IF,
                                IDC_SYMBOL_RATE, IDC_PILOTS,       IDC_FRAME_LENGTH, IDC_SPECTRUM};

} // namespace

SignalMonitor::SignalMonitor(SignalSource& source, MonitorPanel& panel, MonitorClock& clock,
                             const std::atomic<LONG>& stopRequested)
    : m_source(source),
      m_panel(panel),
      m_clock(clock),
      m_stopRequested(stopRequested)
{}

void SignalMonitor::Run()
{
    m_panel.SetText(IDC_STRENGTH, L"0");
    m_panel.SetText(IDC_QUALITY, L"0");
    m_panel.ResetBars();
    m_panel.ShowLockIcon(false);
    while (Cycle()) {}
}

void SignalMonitor::ShowNoInterface()
{
    m_panel.SetText(IDC_STRENGTH, L"0");
    m_panel.SetText(IDC_QUALITY, L"0");
    signalLocked = 0;
    m_panel.SetText(IDC_LOCK_STATUS, L"UNLOCKED");
    m_panel.ShowLockIcon(false);
    m_panel.SetBars(0, 0);
}

bool SignalMonitor::Cycle()
{
    if (m_stopRequested.load() != 0) return false;
    if (!m_source.HasKsCtrl()) {
        ShowNoInterface();
        m_clock.Wait(kNoInterfaceWait);
        return true;
    }

    SignalSample sample;
    // A tuner without a topology can never be polled: the panel keeps its
    // last values and the monitor ends.
    if (!m_source.PollStatistics(sample)) return false;

    const bool locked = sample.locked == 1;
    // The flag first: a user who sees LOCKED and starts a recording at once must
    // find the flag the recorder asks for already set.
    signalLocked = locked ? 1 : 0;
    m_panel.SetText(IDC_LOCK_STATUS, locked ? L"LOCKED" : L"UNLOCKED");
    m_panel.ShowLockIcon(locked);
    UpdateStreamInfo(locked);
    m_panel.SetText(IDC_STRENGTH, std::to_wstring(sample.strength));
    m_panel.SetText(IDC_QUALITY, std::to_wstring(sample.quality));
    m_panel.SetBars(sample.quality, sample.strength);

    m_clock.Wait(kCycleWait);
    if (locked && sample.quality > kGoodSignal && sample.strength > kGoodSignal) return true;
    m_source.TouchGraphMutex();
    m_clock.Wait(kSlowCycleExtra);
    return true;
}

int SignalMonitor::UpdateStreamInfo(bool locked)
{
    if (!m_source.HasKsCtrl()) return kNotShown;
    if (!locked) {
        for (int id : kStreamTexts) m_panel.SetText(id, L"");
        return kShown;
    }

    const bool usb = m_source.IsUsbTuner();
    const GUID& set = usb ? KSPROPSETID_CTRL_EXTENSION : KSPROPSETID_BDA_EXTENSION;
    const ULONG id = usb ? KSPROPERTY_CTRL_GET_MEDIAINFO : KSPROPERTY_BDA_GET_MEDIAINFO;
    if (FAILED(m_source.QuerySupported(set, id))) {
        m_panel.ErrorBox(KsUnsupportedText(KsCallSite::MediaInfoRead));
        return kNotShown;
    }
    // The previous reply is the request's instance data and the new reply's buffer.
    if (FAILED(m_source.Get(set, id, &m_info, sizeof(m_info)))) {
        m_panel.WarningBox(usb ? L"Get KSPROPERTY_CTRL_GET_MEDIAINFO 22error"
                               : L"Get KSPROPERTY_BDA_GET_MEDIAINFO error");
        return kReadFailed;
    }
    ShowStream();
    return kShown;
}

void SignalMonitor::ShowStream()
{
    const StreamInfo& info = m_info;
    m_panel.SetText(IDC_MATYPE, MatypeText(info.matype1, info.matype2));
    m_panel.SetText(IDC_STREAM_TYPE, StreamTypeText(info.tsGs));
    m_panel.SetText(IDC_MODULATION, ModulationText(info.modulation));
    m_panel.SetText(IDC_INPUT_STREAM, InputStreamText(info.singleStream));
    m_panel.SetText(IDC_CODING, CodingText(info.constantCoding));
    m_panel.SetText(IDC_INPUT_SYNC, InputSyncText(info.issyi));
    m_panel.SetText(IDC_NULL_PACKETS, NullPacketText(info.npd));
    m_panel.SetText(IDC_ROLL_OFF, RollOffText(info.rollOff));
    // An unknown standard leaves the standard text as it was; its code rate
    // cannot be told, so the FEC text is emptied rather than left stale.
    if (const wchar_t* standard = StandardText(info.standard)) m_panel.SetText(IDC_STANDARD, standard);
    m_panel.SetText(IDC_FEC, CodeRateText(info));
    m_panel.SetText(IDC_PILOTS, PilotsText(info.pilots));
    m_panel.SetText(IDC_FRAME_LENGTH, FrameLengthText(info.frame));
    m_panel.SetText(IDC_SPECTRUM, SpectrumText(info.spectrum));

    if (info.singleStream == 0) {
        // Looked up by the whole text: a prefix search would take 12 for 1 and
        // never list stream 1.
        const std::wstring streamId = DecimalText(info.inputStreamId);
        if (!m_panel.HasStreamId(streamId)) m_panel.AddStreamId(streamId);
    }
    m_panel.SetText(IDC_IF, DecimalText(info.ifFrequencyKhz));
    m_panel.SetText(IDC_SYMBOL_RATE, DecimalText(info.symbolRate));
}

void SignalMonitor::ApplyInputStreamId(const std::wstring& selectedText, const std::function<void()>& retune)
{
    if (selectedText.empty()) {
        m_panel.PlainBox(L"NULL");
        return;
    }
    // The leading decimal number, as the list's items are; 0 when there is none.
    const std::uint32_t streamId = static_cast<std::uint32_t>(std::wcstoul(selectedText.c_str(), nullptr, 10));
    if (!m_source.HasKsCtrl()) return;
    // Every device is asked through the BDA extension set, the USB box included.
    if (FAILED(m_source.QuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_INPUTMULTISTREAMID))) {
        m_panel.ErrorBox(KsUnsupportedText(KsCallSite::InputStreamId));
        return;
    }
    InputStreamRecord record = MakeInputStreamRecord(streamId);
    if (FAILED(m_source.Set(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_INPUTMULTISTREAMID, &record, sizeof(record)))) {
        m_panel.WarningBox(L"Set KSPROPERTY_BDA_INPUTMULTISTREAMID error");
        return;
    }
    m_clock.Wait(kRetuneDelay);
    if (retune) retune();
}
