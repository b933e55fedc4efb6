#include "platform/ui/DeviceChange.h"

#include "platform/ui/UiThread.h"

#include <QCoreApplication>

void BroadcastDeviceChange(UINT eventType, DWORD_PTR data)
{
    if (IsUiThread()) {
        DeliverDeviceChange(eventType, data);
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [eventType, data] { DeliverDeviceChange(eventType, data); }, Qt::QueuedConnection);
    }
}
