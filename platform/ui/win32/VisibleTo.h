#pragma once
// Whether a window would be visible (enabled) once its top-level window is:
// it and every window up to, not including, the top-level one carry
// WS_VISIBLE (lack WS_DISABLED). The Qt toolkit's isVisibleTo and isEnabledTo
// the window. UI thread.
#include "platform/ui/WinUser.h"

bool IsVisibleToRoot(HWND window);
bool IsEnabledToRoot(HWND window);
