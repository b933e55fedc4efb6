#pragma once
// The application object: one per program, created by main before any
// window. It names the program (application title, help file path) and holds
// the main window, which message boxes without an owner belong to and whose
// title the transcript reports. The program derives from it and does its
// start-up in InitInstance, run by main on the UI thread.
#include "platform/ui/WinUser.h"

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start-up. Returning FALSE ends the program.
    virtual BOOL InitInstance();

    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;     // set by the program; not owned
    std::wstring m_pszAppName;      // program base name without extension
    std::wstring m_pszExeName;      // same, as Windows keeps both
    std::wstring m_pszHelpFilePath; // the program's path with the help extension ".chm"
};

// The application object, or nullptr before it exists (tests).
CWinApp* AfxGetApp();
// The application's main window, or nullptr.
CWnd* AfxGetMainWnd();
// The application title: the program's base name without extension.
std::wstring AfxGetAppName();
