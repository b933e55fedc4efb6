#pragma once
// Message boxes. Any thread may raise one: it is shown on the UI thread and
// the raising thread waits until it is dismissed. With a transcript open each
// box is recorded as `msgbox "CAPTION" ICON "TEXT"`; in script mode it is not
// shown and takes its first button (OK, Yes, Retry, Abort); under a test's
// MessageRecorder it is not shown and takes the recorder's answer.
#include "platform/ui/WinUser.h"

#ifdef _WIN32
// The system's MessageBox macro names MessageBoxW, which nothing records or
// scripts; the toolkit's MessageBox below shows its boxes with it.
#undef MessageBox
#endif

// A box owned by `owner` (may be nullptr); a null caption shows "Error", as
// Windows does. Buttons and icon from type (MB_OK.., MB_ICON..). Returns IDOK,
// IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT or IDIGNORE.
int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The application's message box: caption = application title, owner = the
// topmost modal dialog or the main window. Without an icon in type, OK and
// OK/Cancel boxes get the exclamation icon and Yes/No boxes the question
// icon. helpId is accepted and unused (there is no context help).
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

// Internal to the Qt toolkit: shows the box on the UI thread; owner is
// resolved there.
class CWnd;
int ShowMessageBoxFor(const CWnd* owner, LPCWSTR text, LPCWSTR caption, UINT type);
