#include "record/CUtiVirtualDamonDlg.h"

#include "process/SignalLocked.h"
#include "graph/TunerGraph.h"
#include "platform/com/DebugOut.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/com/WideText.h"
#include "platform/files/FileError.h"
#include "record/RecordLimits.h"
#include "sink/RecordSession.h"

namespace {

constexpr int IDD_CAPTURE_CONTROL = 131;
constexpr UINT_PTR kTickTimer = 0;
constexpr UINT kTickMilliseconds = 100;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kStatusEdit = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;

// Why a file could not be created or written, as the user is told: the system's
// sentence for a file error ("There is not enough space on the disk."), with the
// code for a technician; a bare code alone tells the user nothing.
std::wstring FailureText(HRESULT hr)
{
    const char* sentence = FileErrorText(hr);
    if (*sentence == '\0') return FromUtf8(HresultText(hr));
    return FromUtf8(std::string(sentence) + " (" + HresultHex(hr) + ")");
}

ControlTemplate Label(int id, const wchar_t* text, int x, int y, int cx)
{
    return {id, ControlKind::Static, text, {x, y, cx, 8}, SS_LEFT};
}

} // namespace

DialogTemplate CUtiVirtualDamonDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_CAPTURE_CONTROL;
    t.caption = L"Capture Control";
    t.cx = 296;
    t.cy = 151;
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"Store File Path:", {6, 2, 284, 32}},
        {IDC_RECORD_PATH, ControlKind::Edit, L"", {14, 15, 238, 13}, kEdit},
        {IDC_BROWSE_PATH, ControlKind::PushButton, L"...", {258, 14, 24, 14}, WS_TABSTOP},
        {IDC_STATIC, ControlKind::GroupBox, L"Limit Option:", {6, 38, 284, 44}},
        {IDC_USE_SIZE_LIMIT, ControlKind::RadioButton, L"Use File Size Limit", {14, 51, 90, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_SIZE_LIMIT, ControlKind::Edit, L"", {110, 49, 70, 13}, kEdit | WS_GROUP},
        Label(IDC_STATIC, L"MB", 186, 51, 40),
        {IDC_USE_TIME_LIMIT, ControlKind::RadioButton, L"Use Time Limit", {14, 67, 90, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_TIME_LIMIT, ControlKind::Edit, L"", {110, 65, 70, 13}, kEdit | WS_GROUP},
        Label(IDC_STATIC, L"Seconds", 186, 67, 40),
        {IDC_STATIC, ControlKind::GroupBox, L"Record Control:", {6, 86, 284, 30}},
        {IDC_START_RECORD, ControlKind::PushButton, L"Start Record", {14, 97, 58, 14}, WS_TABSTOP},
        {IDC_CANCEL_RECORD, ControlKind::PushButton, L"Cancel Record", {78, 97, 58, 14}, WS_TABSTOP},
        Label(IDC_STATIC, L"Status:", 146, 100, 28),
        {IDC_RECORD_STATUS, ControlKind::Edit, L"", {176, 98, 106, 13}, kStatusEdit},
        {IDC_STATIC, ControlKind::GroupBox, L"Record Process:", {6, 118, 284, 30}},
        Label(IDC_PROGRESS_LABEL, L"File Size:", 14, 132, 40),
        {IDC_PROGRESS_TEXT, ControlKind::Edit, L"", {56, 130, 80, 13}, kStatusEdit},
        {IDC_RECORD_PROGRESS, ControlKind::Progress, L"", {146, 131, 136, 11}, WS_BORDER},
    };
    return t;
}

CUtiVirtualDamonDlg::CUtiVirtualDamonDlg() : CUtiVirtualDamonDlg(TunerGraph::Process(), RecordSession::Process()) {}

CUtiVirtualDamonDlg::CUtiVirtualDamonDlg(TunerGraph& graph, RecordSession& session)
    : CPropertyPage(Template()),
      m_graph(graph),
      m_session(session)
{
    MapClicked(IDC_USE_SIZE_LIMIT, [this] { OnUseFileSizeLimit(); });
    MapClicked(IDC_USE_TIME_LIMIT, [this] { OnUseTimeLimit(); });
    MapClicked(IDC_BROWSE_PATH, [this] { OnBrowsePath(); });
    MapClicked(IDC_START_RECORD, [this] { OnStartRecord(); });
    MapClicked(IDC_CANCEL_RECORD, [this] { OnCancelRecord(); });
}

void CUtiVirtualDamonDlg::DoDataExchange(CDataExchange* dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_RECORD_PROGRESS, m_progress);
    DDX_Text(dx, IDC_RECORD_PATH, path);
    DDX_Text(dx, IDC_TIME_LIMIT, timeLimitSeconds);
    DDV_MinMaxUInt(dx, timeLimitSeconds, kTimeLimitMin, kTimeLimitMax);
    DDX_Text(dx, IDC_SIZE_LIMIT, sizeLimitMB);
    DDV_MinMaxUInt(dx, sizeLimitMB, kSizeLimitMin, kSizeLimitMax);
}

BOOL CUtiVirtualDamonDlg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    OnUseFileSizeLimit();
    m_progress.SetRange(0, 100);
    recording = false;
    tickCount = 0;
    return TRUE;
}

void CUtiVirtualDamonDlg::OnUseFileSizeLimit()
{
    if (CWnd* size = GetDlgItem(IDC_SIZE_LIMIT)) size->EnableWindow(TRUE);
    if (CWnd* time = GetDlgItem(IDC_TIME_LIMIT)) time->EnableWindow(FALSE);
    CheckDlgButton(IDC_USE_SIZE_LIMIT, BST_CHECKED);
    CheckDlgButton(IDC_USE_TIME_LIMIT, BST_UNCHECKED);
    sizeLimitMode = true;
    SetDlgItemText(IDC_PROGRESS_LABEL, L"File Size:");
    SetDlgItemText(IDC_PROGRESS_TEXT, L"0 KBytes");
}

void CUtiVirtualDamonDlg::OnUseTimeLimit()
{
    if (CWnd* time = GetDlgItem(IDC_TIME_LIMIT)) time->EnableWindow(TRUE);
    if (CWnd* size = GetDlgItem(IDC_SIZE_LIMIT)) size->EnableWindow(FALSE);
    CheckDlgButton(IDC_USE_SIZE_LIMIT, BST_UNCHECKED);
    CheckDlgButton(IDC_USE_TIME_LIMIT, BST_CHECKED);
    sizeLimitMode = false;
    SetDlgItemText(IDC_PROGRESS_LABEL, L"Time Left:");
    SetDlgItemText(IDC_PROGRESS_TEXT, L"0 Seconds");
}

void CUtiVirtualDamonDlg::OnBrowsePath()
{
    CFileDialog dialog(FALSE, L"TS", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||", this, 0, TRUE);
    if (dialog.DoModal() != IDOK) return;
    path = dialog.GetPathName();
    SetDlgItemText(IDC_RECORD_PATH, path.c_str());
}

std::array<std::wstring, 3> CUtiVirtualDamonDlg::EntryTexts() const
{
    std::array<std::wstring, 3> texts;
    GetDlgItemText(IDC_RECORD_PATH, texts[0]);
    GetDlgItemText(IDC_TIME_LIMIT, texts[1]);
    GetDlgItemText(IDC_SIZE_LIMIT, texts[2]);
    return texts;
}

bool CUtiVirtualDamonDlg::ReadEntries(bool quietRepeat)
{
    std::array<std::wstring, 3> texts = EntryTexts();
    if (quietRepeat && m_rejectedEntries == texts) return false;
    if (!UpdateData(TRUE)) {
        // A range check fails after storing the value: the limits in force
        // stay the last valid ones, never 0 or out of range.
        m_rejectedEntries = std::move(texts);
        return false;
    }
    m_rejectedEntries.reset();
    m_timeLimitInForce = timeLimitSeconds;
    m_sizeLimitInForce = sizeLimitMB;
    return true;
}

void CUtiVirtualDamonDlg::OnStartRecord()
{
    if (recording) {
        AfxMessageBox(L"Record is started! Please wait or cancel record.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (signalLocked.load() == 0) {
        AfxMessageBox(L"Signal is not locked! Please check signal first.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The toolkit has reported the invalid entry; a recording with it would
    // have nonsense limits.
    if (!ReadEntries(false)) return;

    m_session.SetRecordPath(path);
    const HRESULT hr = m_session.BeginRecording(m_graph.mediaControl.Get(), m_graph.sink.Get());
    if (hr == S_FALSE) {
        AfxMessageBox(L"There is no media graph to record from.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (FAILED(hr)) {
        const std::wstring text =
            L"Cannot create the file \"" + path + L"\": " + FailureText(hr) + L"\nThe recording has not started.";
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    recording = true;
    tickCount = 0;
    SetTimer(kTickTimer, kTickMilliseconds);
}

void CUtiVirtualDamonDlg::OnCancelRecord()
{
    if (!recording) {
        AfxMessageBox(L"Record is not started!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    StopRecording();
}

void CUtiVirtualDamonDlg::StopRecording()
{
    recording = false;
    tickCount = 0;
    KillTimer(kTickTimer);
    m_session.EndRecording(m_graph.mediaControl.Get());
    m_progress.SetPos(0);
    SetDlgItemText(IDC_RECORD_STATUS, L"Record Stopped!");
}

void CUtiVirtualDamonDlg::OnTimer(UINT_PTR id)
{
    // One shot per tick: killed here, armed again after the tick's work. While
    // the entries are read it runs, so that the limits keep counting behind a
    // validation message (whose box lets ticks in); those ticks leave the
    // entries to the reading in progress.
    if (id == kTickTimer) KillTimer(kTickTimer);
    if (!m_readingEntries) {
        if (id == kTickTimer && recording) SetTimer(kTickTimer, kTickMilliseconds);
        m_readingEntries = true;
        ReadEntries(true);
        m_readingEntries = false;
        if (id == kTickTimer) KillTimer(kTickTimer);
    }
    if (id != kTickTimer || !recording) {
        CPropertyPage::OnTimer(id);
        return;
    }

    if (const HRESULT failure = m_session.WriteFailure(); FAILED(failure)) {
        StopRecording();
        const std::wstring text = L"Writing to \"" + m_session.outputPath + L"\" failed: " + FailureText(failure) +
            L"\nThe recording has stopped; what was written before is kept.";
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else if (sizeLimitMode) {
        TickSizeMode();
    } else {
        TickTimeMode();
    }

    if (recording) SetTimer(kTickTimer, kTickMilliseconds);
    CPropertyPage::OnTimer(id);
}

void CUtiVirtualDamonDlg::TickSizeMode()
{
    const LONGLONG kbytes = m_session.RecordedKBytes();
    const UINT percent = SizePercent(static_cast<std::uint64_t>(kbytes), m_sizeLimitInForce);
    SetDlgItemText(IDC_PROGRESS_TEXT, (std::to_wstring(kbytes) + L" KBytes").c_str());
    if (LimitReached(percent)) {
        StopRecording();
        return;
    }
    ShowProgress(percent);
    OutputDebugStringW((L"Recording... " + std::to_wstring(percent) + L"%").c_str());
}

void CUtiVirtualDamonDlg::TickTimeMode()
{
    ++tickCount;
    const UINT percent = TimePercent(tickCount, m_timeLimitInForce);
    const UINT left = TimeLeftSeconds(tickCount, m_timeLimitInForce);
    SetDlgItemText(IDC_PROGRESS_TEXT, (std::to_wstring(left) + L" Seconds").c_str());
    if (LimitReached(percent)) {
        StopRecording();
        return;
    }
    ShowProgress(percent);
}

void CUtiVirtualDamonDlg::ShowProgress(UINT percent)
{
    SetDlgItemText(IDC_RECORD_STATUS, (L"Recording... " + std::to_wstring(percent) + L"%").c_str());
    m_progress.SetPos(static_cast<int>(percent));
}
