#pragma once
// How the Win32 toolkit marks the windows it makes (window properties): every
// control carries its kind, every window that hosts controls (dialog, page,
// sheet) and every control object's window the CWnd it belongs to. UI thread.
#include "platform/ui/ControlKindName.h"
#include "platform/ui/DialogTemplate.h"

class CWnd;

// The control's kind and its template style (what the program asked for;
// the system changes some styles as it goes, the default button's for one).
void TagControl(HWND control, ControlKind kind, DWORD style);
bool IsTaggedControl(HWND window);
ControlKind ControlKindOf(HWND control);
DWORD ControlStyleOf(HWND control);

void TagWindow(HWND window, CWnd* wnd);
void UntagWindow(HWND window);
CWnd* WindowOf(HWND window); // nullptr when untagged
