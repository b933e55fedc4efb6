#include "app/CBDAUtilApp.h"

#include "app/CBDAUtilDlg.h"
#include "app/CDeviceList.h"
#include "process/DiagLog.h"
#include "graph/GraphMutex.h"
#include "process/ProgramDirectory.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Sync.h"
#include "platform/com/Tick.h"

CBDAUtilApp::CBDAUtilApp()
{
    // The toolkit names the program by its Linux path; the program's own paths
    // are Windows texts (programDirectory is cut at a backslash), so take them
    // from the same source the file stand-ins use.
    const std::wstring program = ModuleFilePath();
    m_pszAppName = ApplicationTitleOf(program);
    m_pszExeName = m_pszAppName;
    m_pszHelpFilePath = DefaultHelpFilePath(program);
}

BOOL CBDAUtilApp::InitInstance()
{
    // Qt widgets host any control: there is nothing to enable for embedded controls.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
    Sleep(1000);

    LogLine(L">> DeviceGetList");
    // One mutex for the process, also when start-up runs again in the same process.
    if (!graphMutex) graphMutex = CreateMutex(nullptr, FALSE, nullptr);

    CDeviceList deviceList;
    if (deviceList.DoModal() != IDOK) return FALSE;

    programDirectory = DirectoryOfPath(m_pszHelpFilePath);

    {
        CBDAUtilDlg mainWindow;
        m_pMainWnd = &mainWindow;
        mainWindow.DoModal();
        // The window object goes at the end of this block; nothing may reach it
        // through the application afterwards.
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
