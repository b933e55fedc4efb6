#include "platform/ui/win32/CommonControls.h"

#include "platform/ui/WinUser.h"

void InitCommonControlsOnce()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}
