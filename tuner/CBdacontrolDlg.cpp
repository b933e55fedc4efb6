#include "tuner/CBdacontrolDlg.h"

#include "tuner/CModeDlg.h"
#include "tuner/CommittedSwitch.h"

#include "process/TuneCount.h"
#include "process/ChosenDevice.h"
#include "process/ProgramDirectory.h"
#include "graph/DVBTuneRequest.h"
#include "graph/DriverPayloads.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/DebugOut.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalStack.h"

#include <algorithm>

namespace {

constexpr DWORD kNumberEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kTextEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

ControlTemplate Label(const wchar_t* text, int x, int y, int cx)
{
    return {IDC_STATIC, ControlKind::Static, text, {x, y, cx, 8}, SS_LEFT};
}

ControlTemplate List(int id, int x, int y, int cx, std::vector<std::wstring> items)
{
    ControlTemplate list{id, ControlKind::ComboBox, L"", {x, y, cx, 64}, kDropList};
    list.items = std::move(items);
    return list;
}

BYTE LowByte(LONG value) { return static_cast<BYTE>(value & 0xFF); }

// The tuning block's fixed header and port byte, as "Send" refreshes them.
void StampHeader(TuningBlock& block, LONG diseqc)
{
    block.header[0] = 1;
    block.header[1] = 0;
    block.header[2] = 2;
    block.diseqcPort = LowByte(diseqc);
}

} // namespace

DialogTemplate CBdacontrolDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_TUNER_SETTING;
    t.caption = L"Tuner Setting";
    t.cx = 296;
    t.cy = 151;
    ControlTemplate send{IDC_SEND, ControlKind::PushButton, L"Send", {12, 130, 50, 14}, WS_TABSTOP};
    send.hidden = true;
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 2, 284, 78}},
        Label(L"LNBLow:", 14, 16, 44),
        {IDC_LNB_LOW, ControlKind::Edit, L"", {60, 14, 58, 12}, kNumberEdit},
        Label(L"MHZ", 122, 16, 20),
        Label(L"LNBSwitch:", 14, 32, 44),
        {IDC_LNB_SWITCH, ControlKind::Edit, L"", {60, 30, 58, 12}, kTextEdit},
        Label(L"MHZ", 122, 32, 20),
        Label(L"LNBHigh:", 14, 48, 44),
        {IDC_LNB_HIGH, ControlKind::Edit, L"", {60, 46, 58, 12}, kNumberEdit},
        Label(L"MHZ", 122, 48, 20),
        Label(L"Diseqc:", 14, 64, 44),
        List(IDC_DISEQC, 60, 62, 58, {L"Diseqc NULL", L"Diseqc A", L"Diseqc B", L"Diseqc C", L"Diseqc D"}),
        Label(L"Frequency:", 152, 16, 48),
        {IDC_FREQUENCY_EDIT, ControlKind::Edit, L"", {202, 14, 58, 12}, kNumberEdit},
        Label(L"MHZ", 264, 16, 20),
        Label(L"SymbolRate:", 152, 32, 48),
        {IDC_SYMBOLRATE_EDIT, ControlKind::Edit, L"", {202, 30, 58, 12}, kNumberEdit},
        Label(L"KSps", 264, 32, 22),
        Label(L"Polarity:", 152, 48, 48),
        List(IDC_POLARITY, 202, 46, 58, {L"Horizontal", L"Vertical"}),
        Label(L"OutPutStream:", 152, 64, 50),
        List(IDC_OUTPUT_STREAM, 202, 62, 58, {L"TS", L"GS"}),
        {IDC_STATIC, ControlKind::GroupBox, L"If GoldCode need to be set,Please input it here.", {6, 84, 284, 38}},
        Label(L"Code:", 14, 102, 24),
        {IDC_GOLDCODE, ControlKind::Edit, L"", {40, 100, 70, 12}, kNumberEdit},
        Label(L"Code Type:", 120, 102, 42),
        List(IDC_CODE_TYPE, 164, 100, 62, {L"Root Code", L"Gold Code"}),
        {IDC_SET_PLSCODE, ControlKind::PushButton, L"Set", {234, 99, 50, 14}, WS_TABSTOP},
        send,
        {IDC_SET_MODCODES, ControlKind::PushButton, L"Set MODCODES", {152, 130, 66, 14}, WS_TABSTOP},
        {IDOK, ControlKind::PushButton, L"Lock TP", {226, 130, 60, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    };
    return t;
}

CBdacontrolDlg::CBdacontrolDlg() : CPropertyPage(Template())
{
    // No interface is held before the page has obtained its own.
    ReleaseKsCtrl(TunerGraph::Process());

    MapClicked(IDC_SET_PLSCODE, [this] { SetPlsCode(); });
    MapClicked(IDC_SET_MODCODES, [this] { ChooseModcods(); });
    MapClicked(IDC_SEND, [this] { OnSend(); });
    MapCommand(IDC_DISEQC, CBN_SELCHANGE, [this] { m_settings.diseqc = m_Diseqc.GetCurSel(); });
    MapCommand(IDC_POLARITY, CBN_SELCHANGE, [this] { m_settings.polarity = m_Polarity.GetCurSel(); });
    MapCommand(IDC_CODE_TYPE, CBN_SELCHANGE, [this] { m_settings.goldtype = m_CodeType.GetCurSel(); });
    MapCommand(IDC_OUTPUT_STREAM, CBN_SELCHANGE, [this] { m_dvbs2.SelectOutputStream(m_OutputStream.GetCurSel()); });
}

CBdacontrolDlg::~CBdacontrolDlg() = default;

void CBdacontrolDlg::DoDataExchange(CDataExchange* dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_POLARITY, m_Polarity);
    DDX_Control(dx, IDC_DISEQC, m_Diseqc);
    DDX_Control(dx, IDC_OUTPUT_STREAM, m_OutputStream);
    DDX_Control(dx, IDC_CODE_TYPE, m_CodeType);
    DDX_Text(dx, IDC_GOLDCODE, m_settings.goldcode);
}

BOOL CBdacontrolDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        LockTransponder();
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return TRUE;
    return CPropertyPage::PreTranslateMessage(msg);
}

BOOL CBdacontrolDlg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_Polarity.SetCurSel(0);
    m_Diseqc.SetCurSel(0);
    m_CodeType.SetCurSel(0);
    m_settings.diseqc = 0;
    m_settings.polarity = 0;
    m_settings.goldtype = 0;

    LoadSettings();

    TunerGraph& graph = TunerGraph::Process();
    m_pInputPin = nullptr;
    m_pTunerDevice = nullptr;
    ReleaseTunerGraph();
    BuildTunerGraph(deviceIndex, deviceName, GetSafeHwnd());
    m_pTunerDevice = graph.tuner;

    if (graph.deviceType == DEVICE_TYPE_UNSUPPORTED) {
        MessageBox(L"This card is not support Recorder!");
        PostQuitMessage(0);
        return TRUE;
    }

    if (ObtainKsCtrl(m_pTunerDevice.Get(), GetSafeHwnd(), m_pInputPin) == KsCtrlPath::Refused) return TRUE;

    if (IsUsbTuner()) {
        m_OutputStream.SetCurSel(0);
        m_dvbs2.SelectOutputStream(0);
    } else {
        // A refused read keeps the choice it had; the list shows it either way.
        m_dvbs2.ReadStreamType(GetSafeHwnd());
        const StreamTypeParams& stream = m_dvbs2.StreamChoice();
        m_OutputStream.SetCurSel(stream.ts ? 0 : stream.gs ? 1 : -1);
    }
    return TRUE;
}

void CBdacontrolDlg::OnOK() { LockTransponder(); }

void CBdacontrolDlg::OnDestroy()
{
    CPropertyPage::OnDestroy();
    SaveSettings();
    m_dvbs2.ResetScrambling(GetSafeHwnd());

    if (m_graphReleaseHook) {
        const std::function<void()> hook = std::move(m_graphReleaseHook);
        m_graphReleaseHook = nullptr;
        hook();
    }

    TunerGraph& graph = TunerGraph::Process();
    if (graph.mediaControl) graph.mediaControl->Stop();
    ReleaseKsCtrl(graph);
    m_pInputPin = nullptr;
    m_pTunerDevice = nullptr;
    ReleaseTunerGraph();
    CoUninitialize();
}

void CBdacontrolDlg::ReadEditTexts()
{
    GetDlgItemText(IDC_FREQUENCY_EDIT, m_settings.freq);
    GetDlgItemText(IDC_SYMBOLRATE_EDIT, m_settings.symbol);
    GetDlgItemText(IDC_LNB_LOW, m_settings.lnblow);
    GetDlgItemText(IDC_LNB_HIGH, m_settings.lnbhigh);
    GetDlgItemText(IDC_LNB_SWITCH, m_settings.lnbswitch);
}

void CBdacontrolDlg::LoadSettings()
{
    const TunerSettings stored = ReadTunerSettings(SettingsFilePath(programDirectory));
    SetDlgItemText(IDC_FREQUENCY_EDIT, stored.freq.c_str());
    SetDlgItemText(IDC_SYMBOLRATE_EDIT, stored.symbol.c_str());
    SetDlgItemText(IDC_LNB_LOW, stored.lnblow.c_str());
    SetDlgItemText(IDC_LNB_HIGH, stored.lnbhigh.c_str());
    SetDlgItemText(IDC_LNB_SWITCH, stored.lnbswitch.c_str());
    m_settings = stored;

    // An index the list lacks leaves it without selection, and the member
    // follows the list: -1.
    m_Diseqc.SetCurSel(m_settings.diseqc);
    m_Polarity.SetCurSel(m_settings.polarity);
    m_settings.diseqc = m_Diseqc.GetCurSel();
    m_settings.polarity = m_Polarity.GetCurSel();

    UpdateData(FALSE);

    TuningBlock& block = TunerGraph::Process().tuningBlock;
    StampHeader(block, m_settings.diseqc);
    block.polarity = LowByte(m_settings.polarity);
    block.frequencyMhz = static_cast<std::uint32_t>(SettingsInteger(m_settings.freq));
    block.symbolRateKsps = static_cast<std::uint32_t>(SettingsInteger(m_settings.symbol));
    block.lnbLowMhz = static_cast<std::uint32_t>(SettingsInteger(m_settings.lnblow));
    block.lnbHighMhz = static_cast<std::uint32_t>(SettingsInteger(m_settings.lnbhigh));
}

void CBdacontrolDlg::SaveSettings()
{
    // A code that is not an integer has been reported by the toolkit and keeps
    // its previous value; the rest is saved all the same.
    UpdateData(TRUE);
    ReadEditTexts();
    WriteTunerSettings(SettingsFilePath(programDirectory), m_settings);
}

void CBdacontrolDlg::OnSend()
{
    SaveSettings();
    StampHeader(TunerGraph::Process().tuningBlock, m_settings.diseqc);
}

void CBdacontrolDlg::EnableTuneButtons(BOOL enable)
{
    if (CWnd* send = GetDlgItem(IDC_SEND)) send->EnableWindow(enable);
    if (CWnd* lock = GetDlgItem(IDOK)) lock->EnableWindow(enable);
}

void CBdacontrolDlg::LockTransponder()
{
    TunerGraph& graph = TunerGraph::Process();
    TuningBlock& block = graph.tuningBlock;

    SaveSettings();
    OnSend();
    std::fill_n(block.diseqcBytes, 5, BYTE{0});
    EnableTuneButtons(FALSE);

    ReadEditTexts();
    const std::uint32_t frequency = static_cast<std::uint32_t>(SettingsInteger(m_settings.freq));
    const std::uint32_t symbolRate = static_cast<std::uint32_t>(SettingsInteger(m_settings.symbol));
    const std::uint32_t lnbLow = static_cast<std::uint32_t>(SettingsInteger(m_settings.lnblow));
    const std::uint32_t lnbHigh = static_cast<std::uint32_t>(SettingsInteger(m_settings.lnbhigh));
    m_lnbSwitchMhz = SettingsInteger(m_settings.lnbswitch);
    block.frequencyMhz = frequency;
    block.lnbLowMhz = lnbLow;
    block.lnbHighMhz = lnbHigh;
    block.symbolRateKsps = symbolRate;
    block.polarity = LowByte(m_settings.polarity);
    block.header[0] = 1;

    const bool highBand = IsHighBand(frequency, static_cast<std::uint32_t>(m_lnbSwitchMhz));

    if (!IsUsbTuner() && !m_dvbs2.StreamTypeMatches(GetSafeHwnd())) m_dvbs2.SendStreamType(GetSafeHwnd());

    if (const auto command = MakeCommittedSwitch(m_settings.diseqc, block.polarity, highBand)) {
        SendDiseqCommand(command->data(), static_cast<int>(command->size()));
    }

    ComPtr<IDVBTuneRequest> request;
    if (CreateDVBTuneRequest(&request, &block, m_lnbSwitchMhz)) {
        AfxMessageBox(L"CreateDVBTuneRequest is invalid!", MB_OK | MB_ICONEXCLAMATION);
    }

    // Without a provider, or without a request, the submission fails like a
    // refused one.
    ComPtr<ITuner> tuner;
    HRESULT submitted = E_POINTER;
    ++tuneCount;
    {
        GraphMutexLock lock;
        if (graph.networkProvider && SUCCEEDED(graph.networkProvider->QueryInterface(IID_PPV_ARGS(&tuner))) && tuner) {
            submitted = tuner->put_TuneRequest(request.Get());
        }
    }

    if (graph.mediaControl) graph.mediaControl->Run();
    if (FAILED(submitted)) MessageBox(L"KSPROPERTY_CTRL_TUNER set channel_change false", L"error");

    EnableTuneButtons(TRUE);
}

bool CBdacontrolDlg::SendDiseqCommand(const BYTE* bytes, int length)
{
    if (!TunerGraph::Process().m_pKsCtrl || !bytes || length < 1) return false;
    bool sent = false;
    if (!IsUsbTuner()) {
        if (FAILED(KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_DISEQC))) {
            OutputDebugStringW(L"@@@@@!!!!DiSEqC Interface Not Supported\n");
            ShowKsUnsupported(GetSafeHwnd(), KsCallSite::DiseqcBda);
        } else {
            DiseqcMessage message{};
            if (!MakeDiseqcMessage(bytes, static_cast<std::size_t>(length), message)) return false;
            sent = KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_DISEQC, message) == S_OK;
            if (!sent) ErrorBox(GetSafeHwnd(), L"SendDiseqCommand11122 QueryInterface Failed");
        }
    }
    if (IsUsbTuner()) {
        if (FAILED(KsQuerySupported(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC))) {
            ShowKsUnsupported(GetSafeHwnd(), KsCallSite::DiseqcControl);
            return sent;
        }
        TuningBlock& block = TunerGraph::Process().tuningBlock;
        if (!PutDiseqcBytes(block, bytes, static_cast<std::size_t>(length))) return false;
        sent = KsSetValueOnly(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC, &block, sizeof(block)) == S_OK;
        if (!sent) ErrorBox(GetSafeHwnd(), L"OnMotor11 false");
    }
    return sent;
}

void CBdacontrolDlg::SetPlsCode()
{
    UpdateData(TRUE);
    m_settings.goldtype = m_CodeType.GetCurSel();
    m_dvbs2.SetPlsCode(GetSafeHwnd(), m_settings.goldcode, m_settings.goldtype);
}

void CBdacontrolDlg::ChooseModcods()
{
    CModeDlg dialog;
    if (dialog.DoModal() != IDOK) return;
    m_dvbs2.SendModcods(GetSafeHwnd(), dialog.m_list);
}
