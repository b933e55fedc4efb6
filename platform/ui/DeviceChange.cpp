#include "platform/ui/DeviceChange.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/UiThread.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {

void Deliver(UINT eventType, DWORD_PTR data)
{
    std::vector<CWnd*> windows;
    if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) {
        windows.push_back(main);
    }
    for (CDialog* dialog : ModalStack::All()) {
        if (std::find(windows.begin(), windows.end(), dialog) == windows.end()) {
            windows.push_back(dialog);
        }
    }
    for (CWnd* window : windows) {
        // A window an earlier one closed no longer hears of it.
        if (window->GetSafeHwnd()) {
            window->OnDeviceChange(eventType, data);
        }
    }
}

} // namespace

void BroadcastDeviceChange(UINT eventType, DWORD_PTR data)
{
    if (IsUiThread()) {
        Deliver(eventType, data);
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [eventType, data] { Deliver(eventType, data); }, Qt::QueuedConnection);
    }
}
