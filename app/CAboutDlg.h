#pragma once
// The About box (template 100): the application icon, the tool's name and the
// product version of the program file. Opened modally from the main window's
// system menu. UI thread.
#include "platform/ui/CDialog.h"

#include <string>

inline constexpr int IDC_ABOUT_VERSION = 1050;

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* owner = nullptr);

    // Reads the version text, then shows it through the data exchange.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    static DialogTemplate Template();

private:
    std::wstring m_strVersion;
};
