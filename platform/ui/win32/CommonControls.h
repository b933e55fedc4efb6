#pragma once
// The system's common controls (progress bar, up-down, tabs) registered for
// this program, once, before the first dialog is made. UI thread.
void InitCommonControlsOnce();
