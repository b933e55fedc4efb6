#pragma once
// A window: a dialog, a property page, a property sheet or one control. It
// wraps the window's widget, which the toolkit creates and destroys; the CWnd
// object itself belongs to whoever declared it (dialog objects are usually
// members or locals, control objects members of their dialog).
//
// Threads: the operations below may be called from any thread; from a thread
// other than the UI thread they are carried to the UI thread and the caller
// waits for them (UiThread.h). Handlers (On...) and PreTranslateMessage run on
// the UI thread only. Coordinates are pixels.
//
// The same interface on either toolkit: on Linux a window is a Qt widget, on
// Windows the system's window (HWND), whose dialog manager and controls do
// the work.
#include "platform/ui/CMenu.h"
#include "platform/ui/WinUser.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <QPointer>

class QTimer;
#endif

class WindowMessages;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The widget, or nullptr while the window does not exist. UI thread.
    HWND GetSafeHwnd() const;
    int GetDlgCtrlID() const { return m_nID; }
    // The window this one was created in (the dialog of a control, the sheet of
    // a page), or nullptr.
    CWnd* GetParent() const { return m_pParentWnd; }

    void SetWindowText(LPCWSTR text);
    void GetWindowText(std::wstring& text) const;
    std::wstring GetWindowText() const;
    int GetWindowTextLength() const;
    // Returns TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // SW_HIDE or SW_SHOW; returns TRUE when the window was visible before.
    BOOL ShowWindow(int command);
    // The window and every window it lies in are shown.
    BOOL IsWindowVisible() const;
    void SetFocus();

    // Controls of this window by id. The returned object belongs to this
    // window, matches the control's kind (a list box gives a CListBox) and
    // lives as long as the window; nullptr for an unknown id.
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCWSTR text);
    int GetDlgItemText(int id, std::wstring& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    // The control's text as a decimal integer (blanks around it allowed);
    // *translated says whether it was one. 0 when not.
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    // Checks `check` and clears the other buttons with ids first..last.
    void CheckRadioButton(int first, int last, int check);

    // Window timers: OnTimer(id) every `milliseconds` until killed or the
    // window is destroyed; never before `milliseconds` have passed since the
    // last tick (or since SetTimer), however late a tick came. Setting an id again restarts it. Returns id, or 0
    // when the window does not exist.
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // A message box owned by this window; a null caption gives the
    // application title. Returns the button pressed (IDOK ...).
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);

    // Window rectangle in screen coordinates; client rectangle from 0,0.
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ClientToScreen(LPPOINT point) const;
    // Position relative to the parent's client area (the screen for a dialog).
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    // Honours SWP_NOMOVE and SWP_NOSIZE; stacking and activation are left as
    // they are.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);

    // The window's title-bar icon; returns the previous one.
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    // The system menu; with revert, back to its standard items ("Move",
    // "Close") and nullptr returned. UI thread.
    CMenu* GetSystemMenu(BOOL revert);

    // Queues a message for this window: WM_COMMAND, WM_SYSCOMMAND, WM_CLOSE,
    // WM_DEVICECHANGE, and WM_NCLBUTTONDOWN with HTCAPTION, which starts moving
    // the window with the mouse. FALSE for other messages or no window.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Command handlers by control id and notification code, in place of a
    // message map: MapClicked(IDC_GO, [this] { OnGo(); }).
    using CommandHandler = std::function<void()>;
    void MapCommand(UINT id, UINT notifyCode, CommandHandler handler);
    void MapClicked(UINT id, CommandHandler handler);

    // ---- Handlers, called by the toolkit on the UI thread ----

    // Sees every key press meant for a control of this window before the
    // control does, innermost window first; TRUE consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // A command or notification from a control; the mapped handler by default.
    virtual BOOL OnCommand(UINT id, UINT notifyCode);
    virtual void OnTimer(UINT_PTR id);
    // SC_CLOSE runs OnClose, SC_MOVE starts moving the window with the mouse;
    // other commands are ignored.
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    // The close box, Alt+F4, WM_CLOSE. Nothing by default; a dialog cancels.
    virtual void OnClose();
    // F1. TRUE when handled; FALSE passes the request to the window around.
    virtual BOOL OnHelpInfo(HELPINFO* info);
    // WM_DEVICECHANGE, delivered to every top-level window. TRUE by default.
    virtual BOOL OnDeviceChange(UINT eventType, DWORD_PTR data);
    // The window is being destroyed; its controls still exist. Child windows
    // (a sheet and its pages) are destroyed after this returns.
    virtual void OnDestroy();
    // The left button went down on a free point of the client area.
    virtual void OnLButtonDown(UINT flags, POINT point);

    // ---- Toolkit internals ----

    // Binds this object to a control widget (DDX_Control); UI thread.
    void AttachControl(HWND widget, int id, CWnd* parent);
    // Sends a command to this window as a control would (UI thread).
    void SendCommand(UINT id, UINT notifyCode);
    // Destroys the window: OnDestroy, then the child windows, then the widget
    // unless another window owns it. UI thread.
    void DestroyWindow();
    // Child windows created in this one (sheets, pages), destroyed after it.
    void AddChildWindow(CWnd* child);
    void RemoveChildWindow(CWnd* child);
    const std::vector<CWnd*>& ChildWindows() const { return m_children; }
    // The control objects GetDlgItem answers with, in template order.
    const std::vector<std::unique_ptr<CWnd>>& Controls() const { return m_controls; }
    // Shows the system menu at the window's top-left corner.
    void TrackSystemMenu();

protected:
    // For windows whose widget the toolkit creates: adopts it (tagged with
    // this object) and whether this window deletes it when destroyed.
    void AdoptWidget(HWND widget, bool owned);
    // Starts moving a top-level window with the mouse (SC_MOVE, a drag by
    // the client area). Nothing by default.
    virtual void StartMove();
    // Creates the control objects for the widgets the builder made.
    void AddControlObject(HWND widget, int id);
    // Runs fn on the UI thread with the widget, if the window exists.
    void WithWidget(const std::function<void(HWND)>& fn) const;
    // The widget of a control of this window, nullptr when unknown (UI thread).
    HWND ControlWidget(int id) const;

#ifdef _WIN32
    HWND m_hWnd = nullptr;
#else
    QPointer<QWidget> m_hWnd;
#endif
    int m_nID = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    // The Win32 toolkit's window procedures, which call the handlers.
    friend class WindowMessages;

    // The messages PostMessage queues.
    static bool Postable(UINT message);
    // DestroyWindow's part for the child windows.
    void DestroyChildWindows();

    std::vector<std::unique_ptr<CWnd>> m_controls;
    std::vector<CWnd*> m_children;
#ifdef _WIN32
    // A window timer's period and its last tick (GetTickCount64), which
    // keep a tick from coming early.
    struct TimerState {
        UINT period = 0;
        ULONGLONG last = 0;
        bool shortened = false;
    };
    std::map<UINT_PTR, TimerState> m_timers;
#else
    std::map<UINT_PTR, QPointer<QTimer>> m_timers;
#endif
    std::map<std::pair<UINT, UINT>, CommandHandler> m_commands;
    std::unique_ptr<CMenu> m_systemMenu;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    bool m_ownsWidget = false;
};
