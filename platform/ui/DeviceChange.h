#pragma once
// Device-change notices (WM_DEVICECHANGE): every top-level window of the
// program receives OnDeviceChange, the main window first, then the running
// modal dialogs from the outermost in. Any thread; from another thread the
// notice is posted and this returns at once, as a system broadcast does.
#include "platform/ui/WinUser.h"

void BroadcastDeviceChange(UINT eventType, DWORD_PTR data);

// Toolkit internal, UI thread: the notice to each top-level window now, in
// that order.
void DeliverDeviceChange(UINT eventType, DWORD_PTR data);
