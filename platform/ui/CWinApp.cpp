#include "platform/ui/CWinApp.h"

#include "platform/ui/ProgramFile.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiThread.h"

#include <atomic>

namespace {
std::atomic<CWinApp*> theApp{nullptr};
} // namespace

CWinApp::CWinApp()
{
    m_pszAppName = ProgramBaseName();
    m_pszExeName = m_pszAppName;
    std::wstring path = ProgramFilePath();
    const auto slash = path.find_last_of(L"/\\");
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) {
        path.erase(dot);
    }
    m_pszHelpFilePath = path + L".chm";
#ifdef _WIN32
    // The thread that makes the application object is the UI thread, as the
    // Qt application's thread is on Linux.
    BeginUiThread();
#endif
    theApp = this;
}

CWinApp::~CWinApp()
{
    CWinApp* self = this;
    theApp.compare_exchange_strong(self, nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }

HICON CWinApp::LoadIcon(UINT id) const { return Resources::Icon(static_cast<int>(id)); }

CWinApp* AfxGetApp() { return theApp.load(); }

CWnd* AfxGetMainWnd()
{
    CWinApp* app = theApp.load();
    return app ? app->m_pMainWnd : nullptr;
}

std::wstring AfxGetAppName()
{
    CWinApp* app = theApp.load();
    return app ? app->m_pszAppName : ProgramBaseName();
}
