#include "record/CUtiVirtualDamonDlg.h"

namespace {

constexpr int IDD_CAPTURE_CONTROL = 131;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kStatusEdit = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;

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
        {1030, ControlKind::Edit, L"", {14, 15, 238, 13}, kEdit},
        {1029, ControlKind::PushButton, L"...", {258, 14, 24, 14}, WS_TABSTOP},
        {IDC_STATIC, ControlKind::GroupBox, L"Limit Option:", {6, 38, 284, 44}},
        {1033, ControlKind::RadioButton, L"Use File Size Limit", {14, 51, 90, 10}, WS_GROUP | WS_TABSTOP},
        {1032, ControlKind::Edit, L"", {110, 49, 70, 13}, kEdit | WS_GROUP},
        Label(IDC_STATIC, L"MB", 186, 51, 40),
        {1034, ControlKind::RadioButton, L"Use Time Limit", {14, 67, 90, 10}, WS_GROUP | WS_TABSTOP},
        {1031, ControlKind::Edit, L"", {110, 65, 70, 13}, kEdit | WS_GROUP},
        Label(IDC_STATIC, L"Seconds", 186, 67, 40),
        {IDC_STATIC, ControlKind::GroupBox, L"Record Control:", {6, 86, 284, 30}},
        {1036, ControlKind::PushButton, L"Start Record", {14, 97, 58, 14}, WS_TABSTOP},
        {1037, ControlKind::PushButton, L"Cancel Record", {78, 97, 58, 14}, WS_TABSTOP},
        Label(IDC_STATIC, L"Status:", 146, 100, 28),
        {1035, ControlKind::Edit, L"", {176, 98, 106, 13}, kStatusEdit},
        {IDC_STATIC, ControlKind::GroupBox, L"Record Process:", {6, 118, 284, 30}},
        Label(1038, L"File Size:", 14, 132, 40),
        {1039, ControlKind::Edit, L"", {56, 130, 80, 13}, kStatusEdit},
        {1004, ControlKind::Progress, L"", {146, 131, 136, 11}, WS_BORDER},
    };
    return t;
}

CUtiVirtualDamonDlg::CUtiVirtualDamonDlg() : CPropertyPage(Template()) {}
