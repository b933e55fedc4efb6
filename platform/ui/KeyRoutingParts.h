#pragma once
// The toolkit's part of the key routing (KeyRouter.h): the windows around a
// control, Enter's button and the help request's control. UI thread.
#include "platform/ui/WinUser.h"

#include <vector>

class CWnd;

// The toolkit's windows around target (page, sheet, dialog), innermost first;
// the last is the dialog.
std::vector<CWnd*> WindowsAround(HWND target);
// Enter: the focused push button, else the default push button of the
// innermost window that has one, else IDOK to the dialog.
void PressEnter(HWND target, const std::vector<CWnd*>& chain);
// The control's id for the help request; 0 for a window that is no control.
int HelpControlId(HWND target);
