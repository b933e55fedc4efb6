#pragma once
// The window-manager vocabulary of the dialog toolkit, by the Windows names:
// message and notification codes, control styles, key codes, dialog results,
// message-box flags and the small records that travel with them. Values are the
// Windows values, so code and documentation line up; styles are read per
// control kind, as Windows reads them per window class.
#include "platform/com/WinTypes.h"

#ifdef _WIN32
// On Windows the vocabulary is the system's: windows are its HWNDs, and the
// codes, styles and records come from its headers (the device-change events
// from dbt.h, the up-down styles from commctrl.h). Only the toolkit's own
// names are declared here.
#include <commctrl.h>
#include <dbt.h>

// The control id of texts that are never addressed, as resource scripts name it.
#ifndef IDC_STATIC
inline constexpr int IDC_STATIC = -1;
#endif

// The toolkit's classes have members by the names the SDK's headers turn into
// their W functions (CWnd::MessageBox, CWnd::SetWindowText, CMenu::AppendMenu,
// CWinApp::LoadIcon ...). Those names stay the toolkit's: its Win32 code calls
// the W functions by their own names.
#undef AppendMenu
#undef GetDlgItemText
#undef GetWindowText
#undef GetWindowTextLength
#undef LoadIcon
#undef MessageBox
#undef PostMessage
#undef SetDlgItemText
#undef SetWindowText
#else

#include <cstdint>

class QWidget;
class QIcon;
class QPixmap;

using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPCVOID = const void*;

// A window is its Qt widget; handles are valid on the UI thread only.
using HWND = QWidget*;
// Icon and bitmap handles point into the resource table (Resources.h) and stay
// valid for the whole run; nullptr is "no image".
using HICON = const QIcon*;
using HBITMAP = const QPixmap*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
using LPPOINT = POINT*;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPRECT = RECT*;

// A message as the pre-translation hook sees it: the window it is meant for
// (the focused control), the message and its parameters.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// What the help request (F1) carries: the control that had the focus.
struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = 1; // HELPINFO_WINDOW
    int iCtrlId = 0;
    HWND hItemHandle = nullptr;
    POINT MousePos;
};

constexpr WORD LOWORD(DWORD_PTR value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int low, int high)
{
    return static_cast<LPARAM>((static_cast<DWORD>(low) & 0xFFFF) | ((static_cast<DWORD>(high) & 0xFFFF) << 16));
}

// Messages.
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_DEVICECHANGE = 0x0219;

// Hit-test code of the caption: WM_NCLBUTTONDOWN with it starts a window move.
inline constexpr WPARAM HTCAPTION = 2;

// Device-change events (WM_DEVICECHANGE wParam).
inline constexpr UINT DBT_DEVICEARRIVAL = 0x8000;
inline constexpr UINT DBT_DEVICEREMOVEPENDING = 0x8003;
inline constexpr UINT DBT_DEVICEREMOVECOMPLETE = 0x8004;

// System commands.
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_CLOSE = 0xF060;

// Menu item flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// Virtual keys.
inline constexpr WPARAM VK_BACK = 0x08;
inline constexpr WPARAM VK_TAB = 0x09;
inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_ESCAPE = 0x1B;
inline constexpr WPARAM VK_SPACE = 0x20;
inline constexpr WPARAM VK_LEFT = 0x25;
inline constexpr WPARAM VK_UP = 0x26;
inline constexpr WPARAM VK_RIGHT = 0x27;
inline constexpr WPARAM VK_DOWN = 0x28;
inline constexpr WPARAM VK_DELETE = 0x2E;
inline constexpr WPARAM VK_F1 = 0x70;

// Dialog results and the standard command ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDC_STATIC = -1;

// Message-box buttons and icons.
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
inline constexpr UINT MB_YESNOCANCEL = 0x03;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_RETRYCANCEL = 0x05;
inline constexpr UINT MB_TYPEMASK = 0x0F;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x40;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0xF0;

// Window styles every control kind reads.
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;

// Static text and pictures.
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_ICON = 0x0003;
inline constexpr DWORD SS_BITMAP = 0x000E;
inline constexpr DWORD SS_TYPEMASK = 0x001F;
inline constexpr DWORD SS_SUNKEN = 0x1000;

// Edit fields.
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Buttons.
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;

// List boxes.
inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;

// Combo boxes: the kind is in the low two bits.
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_SORT = 0x0100;

// Up-down controls.
inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;

// Notification codes (HIWORD of a WM_COMMAND wParam).
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT LBN_DBLCLK = 2;
inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT CBN_DBLCLK = 2;
inline constexpr UINT CBN_EDITCHANGE = 5;
inline constexpr UINT EN_CHANGE = 0x0300;

// List and combo answers.
inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;

// Button states.
inline constexpr UINT BST_UNCHECKED = 0;
inline constexpr UINT BST_CHECKED = 1;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

// SetWindowPos flags.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
#endif
