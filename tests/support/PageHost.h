#pragma once
// The main window's stand-in for a page test: a dialog whose property sheet
// holds only the page under test, with the main window's template id
// (IDD_TEST_HOST), so the page's transcript reads as the program's. The host
// does not own the page. UI thread.
#include "platform/ui/CDialog.h"
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CPropertySheet.h"

#include <functional>
#include <string>

class PageHost : public CDialog {
public:
    // caption, cx and cy (dialog units): the host window's.
    PageHost(CPropertyPage& page, const std::wstring& caption, int cx, int cy);

    BOOL OnInitDialog() override;

    // Runs inside the run, once the page has initialised.
    std::function<void()> afterInit;

private:
    CPropertyPage& m_hosted;
    CPropertySheet m_sheet;
};
