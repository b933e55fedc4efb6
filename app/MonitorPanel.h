#pragma once
// What the signal monitor shows: the main window's signal panel, its stream
// texts, the input stream identifier list and the monitor's message boxes.
// CBDAUtilDlg shows them through the dialog toolkit; tests keep them.
//
// Threads: called from the monitor thread (and from the user-interface
// thread by "Apply"). Message boxes block the caller until dismissed.
#include <string>

class MonitorPanel {
public:
    virtual ~MonitorPanel() = default;

    // The text of one of the main window's value controls, by control id.
    virtual void SetText(int id, const std::wstring& text) = 0;
    // The lock icon: the locked icon (133) or the unlocked one (134).
    virtual void ShowLockIcon(bool locked) = 0;
    // Both bars 0..100 at position 0, before the first cycle.
    virtual void ResetBars() = 0;
    // Bar positions; values above 100 show a full bar.
    virtual void SetBars(int quality, int strength) = 0;
    // Whether the identifier list holds an item of exactly this text.
    virtual bool HasStreamId(const std::wstring& text) = 0;
    // Adds an item to the identifier list (which keeps its items sorted as text).
    virtual void AddStreamId(const std::wstring& text) = 0;
    // Caption "error", no icon, owned by the main window.
    virtual void ErrorBox(const std::wstring& text) = 0;
    // The application's title as caption, exclamation icon.
    virtual void WarningBox(const std::wstring& text) = 0;
    // The application's title as caption, no icon, owned by the main window.
    virtual void PlainBox(const std::wstring& text) = 0;
    // One line of the diagnostic log (c:\iptools.log).
    virtual void Log(const std::wstring& text) = 0;
};
