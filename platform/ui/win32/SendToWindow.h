#pragma once
// A message sent to a toolkit window's system window on the UI thread (the
// call is carried there from other threads), as the toolkit's control
// operations send them. Any thread.
#include "platform/ui/CWnd.h"

// The window's answer, or absent when the window does not exist.
LRESULT SendToWindow(const CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT absent = 0);
