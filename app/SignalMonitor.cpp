#include "app/SignalMonitor.h"

#include "app/MainWindowControls.h"
#include "process/SignalLocked.h"
#include "app/StreamInfoText.h"
#include "graph/DriverPayloads.h"
#include "graph/KsControl.h"
#include "process/TuneCount.h"

#include <cwchar>
#include <optional>

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

// A typed or chosen identifier: decimal digits with blanks around them, 0 to 255.
std::optional<std::uint32_t> StreamIdOf(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(L' ');
    std::uint32_t value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(text[i] - L'0');
        if (value > 255) return std::nullopt;
    }
    return value;
}

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
        const std::wstring text = KsUnsupportedText(KsCallSite::MediaInfoRead);
        if (FailureIsNew(text)) m_panel.ErrorBox(text);
        return kNotShown;
    }
    // The previous reply is the request's instance data and the new reply's buffer.
    if (FAILED(m_source.Get(set, id, &m_info, sizeof(m_info)))) {
        const std::wstring text =
            usb ? L"Get KSPROPERTY_CTRL_GET_MEDIAINFO 22error" : L"Get KSPROPERTY_BDA_GET_MEDIAINFO error";
        if (FailureIsNew(text)) m_panel.WarningBox(text);
        return kReadFailed;
    }
    m_raisedFailure.clear();
    ShowStream();
    return kShown;
}

bool SignalMonitor::FailureIsNew(const std::wstring& text)
{
    m_panel.Log(text);
    const unsigned tune = tuneCount.load();
    if (text == m_raisedFailure && tune == m_raisedAtTune) return false;
    m_raisedFailure = text;
    m_raisedAtTune = tune;
    return true;
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

void SignalMonitor::ApplyInputStreamId(const std::wstring& text, const std::function<void()>& retune)
{
    if (text.empty()) {
        m_panel.PlainBox(L"NULL");
        return;
    }
    const std::optional<std::uint32_t> streamId = StreamIdOf(text);
    if (!streamId) {
        m_panel.PlainBox(kStreamIdRangeText);
        return;
    }
    if (!m_source.HasKsCtrl()) return;
    // Every device is asked through the BDA extension set, the USB box included.
    if (FAILED(m_source.QuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_INPUTMULTISTREAMID))) {
        m_panel.ErrorBox(KsUnsupportedText(KsCallSite::InputStreamId));
        return;
    }
    InputStreamRecord record = MakeInputStreamRecord(*streamId);
    if (FAILED(m_source.Set(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_INPUTMULTISTREAMID, &record, sizeof(record)))) {
        m_panel.WarningBox(L"Set KSPROPERTY_BDA_INPUTMULTISTREAMID error");
        return;
    }
    m_clock.Wait(kRetuneDelay);
    if (retune) retune();
}
