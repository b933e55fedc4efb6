#pragma once
// Dialog data exchange: DoDataExchange lists, per control, how a member and
// the control exchange their value; UpdateData runs it in one direction.
// Saving (member <- control) validates: the first failure shows the toolkit's
// message (application-titled box with the exclamation icon), puts the focus
// on the control and stops the exchange; the members exchanged before it keep
// their new values, the failing one its old value (a range check fails after
// its value has been stored). Loading (control <- member) never fails.
// UI thread (UpdateData carries itself there).
#include "platform/ui/WinUser.h"

#include <string>

class CWnd;

// The toolkit's own validation messages.
inline constexpr const wchar_t* kPromptInteger = L"Please enter an integer.";
inline constexpr const wchar_t* kPromptPositiveInteger = L"Please enter a positive integer.";
inline constexpr const wchar_t* kPromptIntegerRange = L"Please enter an integer between %1 and %2.";
inline constexpr const wchar_t* kPromptMaxChars = L"Please enter no more than %1 characters.";

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;

    bool Failed() const { return m_failed; }
    // Shows the message, focuses the last prepared control and stops.
    void Fail(const std::wstring& message);
    // Remembers the control the next failure points at; its widget or nullptr.
    CWnd* PrepareCtrl(int id);

private:
    bool m_failed = false;
    int m_lastControl = 0;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
#ifdef _WIN32
// LONG is a 32-bit long on Windows (an int elsewhere, taken above).
void DDX_Text(CDataExchange* dx, int id, LONG& value);
#endif
// BST_CHECKED / BST_UNCHECKED.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Index of the checked button in the radio group starting at id, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Selected index of a list box, -1 for none.
void DDX_LBIndex(CDataExchange* dx, int id, int& index);

// Range checks; they act only when saving, after the DDX_Text of the same value.
void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum);
void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars);
