#include "tuner/CBdacontrolDlg.h"

namespace {

constexpr int IDD_TUNER_SETTING = 130;
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

} // namespace

DialogTemplate CBdacontrolDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_TUNER_SETTING;
    t.caption = L"Tuner Setting";
    t.cx = 296;
    t.cy = 151;
    ControlTemplate send{1011, ControlKind::PushButton, L"Send", {12, 130, 50, 14}, WS_TABSTOP};
    send.hidden = true;
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 2, 284, 78}},
        Label(L"LNBLow:", 14, 16, 44),
        {1013, ControlKind::Edit, L"", {60, 14, 58, 12}, kNumberEdit},
        Label(L"MHZ", 122, 16, 20),
        Label(L"LNBSwitch:", 14, 32, 44),
        {1059, ControlKind::Edit, L"", {60, 30, 58, 12}, kTextEdit},
        Label(L"MHZ", 122, 32, 20),
        Label(L"LNBHigh:", 14, 48, 44),
        {1015, ControlKind::Edit, L"", {60, 46, 58, 12}, kNumberEdit},
        Label(L"MHZ", 122, 48, 20),
        Label(L"Diseqc:", 14, 64, 44),
        List(1003, 60, 62, 58, {L"Diseqc NULL", L"Diseqc A", L"Diseqc B", L"Diseqc C", L"Diseqc D"}),
        Label(L"Frequency:", 152, 16, 48),
        {1012, ControlKind::Edit, L"", {202, 14, 58, 12}, kNumberEdit},
        Label(L"MHZ", 264, 16, 20),
        Label(L"SymbolRate:", 152, 32, 48),
        {1014, ControlKind::Edit, L"", {202, 30, 58, 12}, kNumberEdit},
        Label(L"KSps", 264, 32, 22),
        Label(L"Polarity:", 152, 48, 48),
        List(1002, 202, 46, 58, {L"Horizontal", L"Vertical"}),
        Label(L"OutPutStream:", 152, 64, 50),
        List(1007, 202, 62, 58, {L"TS", L"GS"}),
        {IDC_STATIC, ControlKind::GroupBox, L"If GoldCode need to be set,Please input it here.", {6, 84, 284, 38}},
        Label(L"Code:", 14, 102, 24),
        {1058, ControlKind::Edit, L"", {40, 100, 70, 12}, kNumberEdit},
        Label(L"Code Type:", 120, 102, 42),
        List(1009, 164, 100, 62, {L"Root Code", L"Gold Code"}),
        {1000, ControlKind::PushButton, L"Set", {234, 99, 50, 14}, WS_TABSTOP},
        send,
        {1001, ControlKind::PushButton, L"Set MODCODES", {152, 130, 66, 14}, WS_TABSTOP},
        {IDOK, ControlKind::PushButton, L"Lock TP", {226, 130, 60, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    };
    return t;
}

CBdacontrolDlg::CBdacontrolDlg() : CPropertyPage(Template()) {}
