#pragma once
// Keys in the toolkit's windows, the way the Windows dialog manager treats
// them: a key press goes first to PreTranslateMessage of every window around
// the focused control, innermost first (page, sheet, dialog); if none consumes
// it, Enter clicks the focused push button, else the default push button of
// the innermost window that has one, else sends IDOK to the dialog; Escape
// sends IDCANCEL to the dialog; F1 asks OnHelpInfo of each window, innermost
// first; Alt+Space opens the dialog's system menu. UI thread only. On
// Windows the toolkit's modal loop routes the keys it takes from the queue.
#include "platform/ui/WinUser.h"

#ifndef _WIN32
// Installs the application-wide key filter once (needs the application object).
void InstallKeyRouter();
#endif

// A key press on target as a user's would be; true when the toolkit consumed
// it (false: the control itself should have it).
bool RouteKeyPress(HWND target, WPARAM virtualKey, bool alt = false);

// F1 on target: OnHelpInfo of the windows around it until one handles it.
bool RouteHelpRequest(HWND target);
