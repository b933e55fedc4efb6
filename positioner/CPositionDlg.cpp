#include "positioner/CPositionDlg.h"

namespace {

constexpr int IDD_MOTOR_POSITIONER = 148;
constexpr DWORD kEditableSortedCombo = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

ControlTemplate Label(const wchar_t* text, int x, int y, int cx)
{
    return {IDC_STATIC, ControlKind::Static, text, {x, y, cx, 8}, SS_LEFT};
}

ControlTemplate Button(int id, const wchar_t* text, int x, int y, DWORD style = WS_TABSTOP)
{
    return {id, ControlKind::PushButton, text, {x, y, 46, 15}, style};
}

} // namespace

DialogTemplate CPositionDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_MOTOR_POSITIONER;
    t.caption = L"Motor/Positioner";
    t.cx = 281;
    t.cy = 155;
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 0, 262, 75}},
        Label(L"Country:", 27, 8, 60),
        {1092, ControlKind::ComboBox, L"", {27, 18, 111, 110}, kEditableSortedCombo},
        Label(L"City:", 159, 8, 60),
        {1086, ControlKind::ComboBox, L"", {159, 18, 97, 100}, kEditableSortedCombo},
        Label(L"Latitude:", 62, 38, 34),
        {1068, ControlKind::Edit, L"", {98, 35, 42, 15}, kEdit},
        Label(L"Longitude:", 170, 38, 40),
        {1021, ControlKind::Edit, L"", {212, 35, 42, 15}, kEdit},
        Label(L"Satellite:", 29, 48, 60),
        {1093, ControlKind::ComboBox, L"", {29, 57, 148, 78}, kEditableSortedCombo},
        {1115, ControlKind::PushButton, L"Go", {209, 55, 50, 15}, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 76, 192, 75}},
        Label(L"Position:", 37, 93, 34),
        {1098, ControlKind::Edit, L"", {73, 90, 46, 15}, kEdit},
        {1097, ControlKind::UpDown, L"", {119, 93, 11, 18},
         UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
        Button(1002, L"Goto", 135, 90),
        Button(1100, L"Step East", 25, 111),
        Button(1004, L"Step West", 81, 111),
        Button(1003, L"Stop", 135, 111),
        Button(1101, L"Drive East", 25, 131),
        Button(1102, L"Drive West", 81, 131),
        Button(1099, L"Store", 135, 131),
        {IDC_STATIC, ControlKind::GroupBox, L"Limits", {200, 77, 68, 75}},
        Button(1005, L"East", 210, 90),
        Button(1006, L"West", 210, 111),
        Button(1007, L"Reset", 210, 131),
    };
    return t;
}

CPositionDlg::CPositionDlg() : CPropertyPage(Template()) {}
