#pragma once
// A control's window text on the Win32 toolkit, with the Qt toolkit's rules
// (ControlWidget.h): a text the control already shows, unedited since it was
// set, is not set again, so no EN_CHANGE follows; a drop-down list has no
// text of its own. UI thread.
#include "platform/ui/WinUser.h"

#include <string>
#include <vector>

std::wstring ControlText(HWND control);
void SetControlText(HWND control, const std::wstring& text);

// The items of a list or combo control, in order, and its selected index (-1: none).
std::vector<std::wstring> ControlItems(HWND control);
int ControlSelection(HWND control);
