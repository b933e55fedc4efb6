#pragma once
// A dialog built from a template and run modally. The program derives from
// it, binds members in DoDataExchange, maps command handlers by control id in
// its constructor (MapClicked) and overrides the handlers it needs. A
// CDialog object may run several times; each run builds fresh controls.
//
// DoModal runs on the UI thread (a call from another thread is carried there
// and waits). The order of one run: the window and its controls are made
// (transcript `open ID "CAPTION"`), OnInitDialog, the modal loop until
// EndDialog (`end ID OK|CANCEL|N`), OnDestroy, the child windows' destroy
// (a sheet's pages), and the widgets go.
#include "platform/ui/CWnd.h"
#include "platform/ui/DialogTemplate.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // owner: the window the dialog belongs to; without one, the innermost
    // running modal dialog or else the main window.
    explicit CDialog(const DialogTemplate& tmpl, CWnd* owner = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog gave; -1 when the run could not start
    // or a quit ended it (PostQuitMessage).
    virtual INT_PTR DoModal();
    // Ends the modal run with result once the current handler returns; any
    // thread. Within OnInitDialog the dialog ends before it is shown.
    void EndDialog(int result);

    // The controls exist. By default fills lists and combos with the
    // template's items and loads the data (UpdateData(FALSE)); TRUE puts the
    // focus on the first control that takes it.
    virtual BOOL OnInitDialog();
    // Default: saves and validates the data, then ends with IDOK.
    virtual void OnOK();
    // Default: ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    // TRUE: controls to members, with validation; FALSE: members to controls.
    // Returns FALSE when a validation failed (its message has been shown).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Mapped handler first, then IDOK and IDCANCEL clicks go to OnOK, OnCancel.
    BOOL OnCommand(UINT id, UINT notifyCode) override;
    // The close box sends IDCANCEL.
    void OnClose() override;

    const DialogTemplate& Template() const { return m_template; }
    // True from EndDialog until the next run starts (UI thread).
    bool IsEnding() const { return m_ended; }

protected:
    // Builds the template's controls into container, creates their control
    // objects and routes their notifications here (UI thread).
    void CreateControls(HWND container);
    // The first control in tab order that takes the focus gets it.
    void FocusFirstControl();
    void StartMove() override;

private:
    friend class WindowMessages;

    INT_PTR RunModal();
    // The window a modal run belongs to: the owner given, else the innermost
    // running modal dialog, else the main window.
    HWND ModalOwner() const;
    void FillInitialItems();

    DialogTemplate m_template;
    INT_PTR m_nModalResult = -1;
    bool m_ended = false;
    bool m_inLoop = false;
};
