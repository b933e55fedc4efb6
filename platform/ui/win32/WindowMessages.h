#pragma once
// The Win32 toolkit's window procedure and message loop: the system's dialog
// manager runs every dialog and page the toolkit makes with DialogProc, which
// turns the messages into the CWnd handlers (OnCommand, OnTimer,
// OnSysCommand, OnDeviceChange, ...); PreTranslate gives a queued key to the
// windows around its control and the key routing before the dialog manager
// sees it. UI thread only.
#include "platform/ui/WinUser.h"

class CDialog;
class CWnd;

class WindowMessages {
public:
    // lParam of WM_INITDIALOG is the CDialog the window is made for.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // TRUE when the message has been handled: consumed by a PreTranslateMessage
    // or the key routing, or taken by the dialog manager (IsDialogMessageW).
    static bool PreTranslate(MSG& msg);

    // The window timer's tick, never before its period since the last one.
    static void Timer(CWnd& wnd, UINT_PTR id);

    // The toolkit's windows around window, innermost first (control's page,
    // sheet, dialog); the last is the top-level one.
    static void WindowsAround(HWND window, CWnd** chain, int& count, int capacity);
};
