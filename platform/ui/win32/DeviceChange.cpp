#include "platform/ui/DeviceChange.h"

#include "platform/ui/UiThread.h"
#include "platform/ui/win32/UiThreadWindow.h"

void BroadcastDeviceChange(UINT eventType, DWORD_PTR data)
{
    if (IsUiThread()) {
        DeliverDeviceChange(eventType, data);
        return;
    }
    // Posted, as a system broadcast is: the caller does not wait.
    PostToUiThread([eventType, data] { DeliverDeviceChange(eventType, data); });
}
