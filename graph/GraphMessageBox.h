#pragma once
// The two kinds of message box the graph code raises through the dialog
// toolkit, both modal with an OK button, blocking the caller until dismissed:
//   ErrorBox:      caption "error", no icon, owned by the given window (build
//                  and interface-support failures);
//   AppWarningBox: the application's title as caption, exclamation icon (the
//                  pin connection failures of ConnectPins).
// Any thread; a box raised off the user-interface thread blocks its thread.
#include "platform/ui/WinUser.h"

void ErrorBox(HWND owner, LPCWSTR text);
void AppWarningBox(LPCWSTR text);
