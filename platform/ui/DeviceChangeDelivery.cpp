#include "platform/ui/CDialog.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/ModalStack.h"

#include <algorithm>
#include <vector>

void DeliverDeviceChange(UINT eventType, DWORD_PTR data)
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
