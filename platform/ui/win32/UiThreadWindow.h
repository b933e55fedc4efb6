#pragma once
// The UI thread's hidden message window (HWND_MESSAGE): carried calls and
// posted work reach the UI thread through it, delivered by whatever message
// loop runs there (a modal dialog's). Any thread.
#include "platform/ui/WinUser.h"

#include <functional>

// nullptr before BeginUiThread and after EndUiThread.
HWND UiThreadWindow();

// Runs fn on the UI thread from its message loop, later; false without a UI
// thread. Unlike RunOnUiThread the caller does not wait, on any thread.
bool PostToUiThread(std::function<void()> fn);
