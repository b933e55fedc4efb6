#pragma once
// Whether any top-level window of the toolkit is still open on this thread:
// a dialog, a message box, a menu. Tests check that a run closed everything.
// UI thread.
bool ToolkitWindowsLeft();
