#include "platform/ui/win32/SendToWindow.h"

#include "platform/ui/UiThread.h"

LRESULT SendToWindow(const CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT absent)
{
    LRESULT result = absent;
    RunOnUiThread([&] {
        if (HWND window = wnd.GetSafeHwnd()) result = SendMessageW(window, message, wParam, lParam);
    });
    return result;
}
