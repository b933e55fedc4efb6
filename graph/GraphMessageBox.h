#pragma once
// The two kinds of message box the graph code raises, both modal with an OK
// button, blocking the caller until dismissed:
//   ErrorBox:      caption "error", no icon, owned by the given window (build
//                  and interface-support failures);
//   AppWarningBox: the application's title as caption, exclamation icon (the
//                  pin connection failures of ConnectPins).
// Any thread; a box raised off the user-interface thread blocks its thread.
#include "platform/com/WinTypes.h"

#include <functional>
#include <string>

class QWidget;
using HWND = QWidget*;

void ErrorBox(HWND owner, LPCWSTR text);
void AppWarningBox(LPCWSTR text);

// Where the boxes go until the dialog toolkit carries them: a receiver of
// (owner, text, caption, application-titled). Without one, nothing is shown.
using GraphMessageReceiver = std::function<void(HWND owner, const std::wstring& text, bool applicationTitled)>;
void SetGraphMessageReceiver(GraphMessageReceiver receiver);
