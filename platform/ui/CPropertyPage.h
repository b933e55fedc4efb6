#pragma once
// One page of a property sheet, built from its template; the template's
// caption is the tab label. Its window is made when the sheet first shows it
// (transcript `open ID "CAPTION"`, then OnInitDialog) and destroyed with the
// sheet, after the dialog around the sheet has run its own OnDestroy. UI
// thread for the page's life cycle; the CWnd operations work from any thread.
#include "platform/ui/CDialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(const DialogTemplate& tmpl);

    // A page is not run modally.
    INT_PTR DoModal() override { return -1; }
    // The page's OK action (a click on a control with id IDOK); nothing by default.
    void OnOK() override;
    // Pages ignore IDCANCEL.
    void OnCancel() override;

    // Toolkit internal: makes the page's window inside holder (UI thread).
    void CreatePage(HWND holder);
};
