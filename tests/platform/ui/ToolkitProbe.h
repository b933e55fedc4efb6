#pragma once
// What the toolkit's tests look at and do besides its interface, on either
// toolkit (Qt widgets, or the system's windows on Windows): the windows left
// open, the focus, a key press, work for the event loop's next turn. UI thread.
#include "platform/ui/WinUser.h"

#include <functional>

// Whether any top-level window of the toolkit is still open on this thread:
// a dialog, a message box, a menu.
bool ToolkitWindowsLeft();

// The id of the control that has the focus in window's top-level window
// (shown or not yet); 0 when a window that is no control (a page) has it, -1
// when nothing has.
int FocusedControlId(HWND window);
// Whether that focus is on window or inside it.
bool FocusWithin(HWND window);

// A key press on target as a user's, through the running modal loop's routing.
void PressKey(HWND target, WPARAM virtualKey);

// A bare top-level window, never shown, to make pages in without a sheet.
HWND MakeHolderWindow();
void DestroyHolderWindow(HWND window);

// fn on the next turn of the running event loop.
void RunLater(std::function<void()> fn);
