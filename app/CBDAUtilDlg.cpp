#include "app/CBDAUtilDlg.h"

#include "app/CAboutDlg.h"
#include "process/ChosenDevice.h"
#include "app/ProductVersionText.h"
#include "process/DiagLog.h"
#include "process/MachineName.h"
#include "process/ProgramDirectory.h"
#include "graph/GraphMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiThread.h"
#include "app/Resource.h"
#include "platform/com/Sync.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/Resources.h"
#include "platform/ui/ShellExecute.h"

namespace {

constexpr DWORD kPanelValue = ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED;
constexpr DWORD kStreamText = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;

ControlTemplate Label(const wchar_t* text, int x, int y, int cx)
{
    return {IDC_STATIC, ControlKind::Static, text, {x, y, cx, 8}, SS_LEFT};
}

ControlTemplate StreamText(int id, int x, int y, int cx)
{
    return {id, ControlKind::Edit, L"", {x, y, cx, 12}, kStreamText};
}

ControlTemplate Picture(int id, DWORD style, int image, DialogRect rect)
{
    ControlTemplate picture{id, ControlKind::Picture, L"", rect, style};
    picture.image = image;
    return picture;
}

} // namespace

DialogTemplate CBDAUtilDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_BDAUTIL_DIALOG;
    t.caption = L"KavroN71 TS Recorder";
    t.cx = 313;
    t.cy = 412;

    // The MATYPE group: two columns of label and value, then MATYPE across.
    struct Pair {
        const wchar_t* label;
        int id;
    };
    const Pair left[] = {{L"StreamType:", IDC_STREAM_TYPE},  {L"InputStream:", IDC_INPUT_STREAM},
                         {L"InputSynchro:", IDC_INPUT_SYNC}, {L"Roll Off:", IDC_ROLL_OFF},
                         {L"Pilots:", IDC_PILOTS},           {L"FrameLength:", IDC_FRAME_LENGTH}};
    const Pair right[] = {{L"DVBS1/S2:", IDC_STANDARD},
                          {L"Modulation Type:", IDC_MODULATION},
                          {L"CodingModulation:", IDC_CODING},
                          {L"NullPacketDeletion:", IDC_NULL_PACKETS},
                          {L"FEC:", IDC_FEC},
                          {L"Spectrum:", IDC_SPECTRUM}};

    t.controls = {
        Picture(IDC_BANNER, SS_BITMAP, IDB_BANNER, {0, 0, 313, 25}),
        {IDC_SHEET_LINE, ControlKind::Line, L"", {0, 208, 313, 1}},
        {IDC_STATIC, ControlKind::GroupBox, L"", {3, 208, 307, 36}},
        Label(L"Strength:", 9, 218, 34),
        {IDC_STRENGTH, ControlKind::Edit, L"", {44, 216, 24, 11}, kPanelValue},
        {IDC_STRENGTH_BAR, ControlKind::Progress, L"", {72, 217, 118, 9}, WS_BORDER},
        Label(L"LockStatus:", 196, 218, 42),
        {IDC_LOCK_STATUS, ControlKind::Edit, L"", {240, 216, 42, 11}, kPanelValue},
        Label(L"Quality:", 9, 231, 34),
        {IDC_QUALITY, ControlKind::Edit, L"", {44, 229, 24, 11}, kPanelValue},
        {IDC_QUALITY_BAR, ControlKind::Progress, L"", {72, 230, 118, 9}, WS_BORDER},
        Picture(IDC_LOCK_ICON, SS_ICON, IDI_UNLOCKED, {287, 215, 20, 20}),
        Label(L"IF:", 9, 250, 14),
        StreamText(IDC_IF, 26, 248, 70),
        Label(L"KHz", 100, 250, 20),
        Label(L"SymbolRate:", 150, 250, 44),
        StreamText(IDC_SYMBOL_RATE, 196, 248, 80),
        Label(L"Bds", 280, 250, 20),
        {IDC_STATIC, ControlKind::GroupBox, L"MATYPE", {3, 262, 307, 127}},
    };
    for (int row = 0; row < 6; ++row) {
        const int y = 276 + 16 * row;
        t.controls.push_back(Label(left[row].label, 9, y + 2, 50));
        t.controls.push_back(StreamText(left[row].id, 60, y, 112));
        t.controls.push_back(Label(right[row].label, 176, y + 2, 72));
        t.controls.push_back(StreamText(right[row].id, 249, y, 56));
    }
    t.controls.push_back(Label(L"MATYPE:", 9, 374, 50));
    t.controls.push_back(StreamText(IDC_MATYPE, 60, 372, 245));
    t.controls.push_back(Label(L"Input Stream Identify:", 9, 397, 80));
    t.controls.push_back({IDC_STREAM_ID_LIST,
                          ControlKind::ComboBox,
                          L"",
                          {90, 395, 80, 80},
                          CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP});
    t.controls.push_back({IDC_APPLY, ControlKind::PushButton, L"Apply", {178, 394, 50, 14}, WS_TABSTOP});
    return t;
}

CBDAUtilDlg::CBDAUtilDlg(CWnd* owner) : CDialog(Template(), owner)
{
    if (CWinApp* app = AfxGetApp()) {
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
        m_hLockedIcon = app->LoadIcon(IDI_LOCKED);
        m_hUnlockedIcon = app->LoadIcon(IDI_UNLOCKED);
    }
    MapClicked(IDC_APPLY, [this] { OnApply(); });
}

CBDAUtilDlg::~CBDAUtilDlg()
{
    StopMonitor();
    if (monitorRunLock) CloseHandle(monitorRunLock);
}

void CBDAUtilDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_BANNER, m_banner);
    DDX_Control(dx, IDC_LOCK_ICON, m_lockIcon);
    DDX_Control(dx, IDC_STRENGTH_BAR, m_strengthBar);
    DDX_Control(dx, IDC_QUALITY_BAR, m_qualityBar);
    DDX_Control(dx, IDC_QUALITY, m_qualityText);
    DDX_Control(dx, IDC_STRENGTH, m_strengthText);
    DDX_Control(dx, IDC_LOCK_STATUS, m_lockText);
    DDX_Control(dx, IDC_STREAM_ID_LIST, m_streamIdList);
}

BOOL CBDAUtilDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const std::wstring about = Resources::String(IDS_ABOUTBOX);
    if (CMenu* menu = GetSystemMenu(FALSE); menu && !about.empty()) {
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Built by appending, never as a format: a '%' in a device name stays text.
    std::wstring title = deviceName + L" TS Recorder - Version: " + GetProductVersionText();
    // Only a machine other than the simulated one names itself.
    if (!machineName.empty()) title += L" - " + machineName;
    CWnd* main = AfxGetMainWnd();
    (main ? main : this)->SetWindowText(title.c_str());

    m_lockText.SetWindowText(L"unlock");
    m_strengthText.SetWindowText(L"0");
    m_qualityText.SetWindowText(L"0");

    // The monitor must have ended before the Tuner Setting page releases the
    // graph: the window's destroy stops it, and the page's release hook makes
    // sure of it.
    m_tunerPage.SetGraphReleaseHook([this] { StopMonitor(); });
    m_sheet.AddPage(&m_tunerPage);
    m_sheet.AddPage(&m_capturePage);
    m_sheet.AddPage(&m_positionerPage);
    m_sheet.Create(this, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT);
    PlaceSheet();

    StartMonitor();
    return TRUE;
}

void CBDAUtilDlg::PlaceSheet()
{
    CWnd* line = GetDlgItem(IDC_SHEET_LINE);
    if (!line) return;
    RECT banner{};
    RECT separator{};
    m_banner.GetWindowRect(&banner);
    line->GetWindowRect(&separator);
    m_sheet.SetWindowPos(nullptr, 0, (banner.bottom - banner.top) + 2, separator.right - separator.left,
                         separator.top - banner.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBDAUtilDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

BOOL CBDAUtilDlg::OnHelpInfo(HELPINFO* /*info*/)
{
    // The shell's answer is not examined: a missing help file is the shell's to report.
    const std::wstring helpFile = programDirectory + L"\\L-box-recorder.chm";
    ShellExecute(GetSafeHwnd(), L"open", helpFile.c_str(), nullptr, programDirectory.c_str(), SW_SHOWNORMAL);
    return TRUE;
}

BOOL CBDAUtilDlg::OnDeviceChange(UINT eventType, DWORD_PTR data)
{
    if (eventType == DBT_DEVICEREMOVEPENDING || eventType == DBT_DEVICEREMOVECOMPLETE) {
        OnOK();
        return FALSE;
    }
    return CDialog::OnDeviceChange(eventType, data);
}

void CBDAUtilDlg::OnDestroy()
{
    stopRequested = 1;
    StopMonitor();
    CDialog::OnDestroy();
}

void CBDAUtilDlg::StartMonitor()
{
    if (m_monitorThread.joinable()) return;
    if (!monitorRunLock) monitorRunLock = CreateMutex(nullptr, FALSE, nullptr);
    m_monitorEnded = false;
    m_monitorThread = std::thread([this] {
        WaitForSingleObject(monitorRunLock, INFINITE);
        m_monitor.Run();
        ReleaseMutex(monitorRunLock);
        m_monitorEnded = true;
    });
}

void CBDAUtilDlg::StopMonitor()
{
    if (!m_monitorThread.joinable()) return;
    stopRequested = 1;
    m_monitorClock.Stop();
    // The monitor may be waiting for this thread (a control update or a
    // message box it raised): keep delivering those calls until it has ended.
    WaitDelivering([this] { return m_monitorEnded.load(); }, INFINITE);
    m_monitorThread.join();
}

void CBDAUtilDlg::OnApply()
{
    // The box takes a typed identifier as well as a listed one: its edit text
    // is either.
    std::wstring text;
    m_streamIdList.GetWindowText(text);
    m_monitor.ApplyInputStreamId(text, [this] { RetuneWithTunerPage(); });
}

void CBDAUtilDlg::RetuneWithTunerPage() { m_tunerPage.LockTransponder(); }

void CBDAUtilDlg::SetText(int id, const std::wstring& text)
{
    if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text.c_str());
}

void CBDAUtilDlg::ShowLockIcon(bool locked) { m_lockIcon.SetIcon(locked ? m_hLockedIcon : m_hUnlockedIcon); }

void CBDAUtilDlg::ResetBars()
{
    m_strengthBar.SetRange(0, 100);
    m_qualityBar.SetRange(0, 100);
    m_strengthBar.SetPos(0);
    m_qualityBar.SetPos(0);
}

void CBDAUtilDlg::SetBars(int quality, int strength)
{
    m_qualityBar.SetPos(quality);
    m_strengthBar.SetPos(strength);
}

bool CBDAUtilDlg::HasStreamId(const std::wstring& text)
{
    return m_streamIdList.FindStringExact(-1, text.c_str()) != CB_ERR;
}

void CBDAUtilDlg::AddStreamId(const std::wstring& text) { m_streamIdList.AddString(text.c_str()); }

void CBDAUtilDlg::ErrorBox(const std::wstring& text) { ::ErrorBox(GetSafeHwnd(), text.c_str()); }

void CBDAUtilDlg::WarningBox(const std::wstring& text) { AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION); }

void CBDAUtilDlg::PlainBox(const std::wstring& text) { MessageBox(text.c_str(), nullptr, MB_OK); }

void CBDAUtilDlg::Log(const std::wstring& text) { LogLine(L"%s", text.c_str()); }

void CBDAUtilDlg::OnLButtonDown(UINT flags, POINT point)
{
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    CDialog::OnLButtonDown(flags, point);
}
