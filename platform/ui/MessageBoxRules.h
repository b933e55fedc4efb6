#pragma once
// What a message box does before any window shows it, on every system: its
// transcript line `msgbox "CAPTION" ICON "TEXT"`, and its answer without a
// window under a test's MessageRecorder (the recorder's answer) or in script
// mode (the first button). Toolkit internal: each system's MessageBox.cpp
// asks here first and shows the box only when no answer comes back.
#include "platform/ui/WinUser.h"

#include <optional>
#include <string>

// The result of the box's first button: OK, Abort, Yes or Retry.
int FirstButtonResult(UINT type);

// The type of an application box (AfxMessageBox): without an icon, OK and
// OK/Cancel boxes get the exclamation icon and Yes/No boxes the question icon.
UINT AppMessageBoxType(UINT type);

// Writes the box's transcript line; then the answer when the box is not to be
// shown, nullopt when it is. Called on the UI thread by the Qt toolkit, on
// the raising thread, one box at a time, on Windows.
std::optional<int> AnswerWithoutShowing(const std::wstring& caption, const std::wstring& text, UINT type);
