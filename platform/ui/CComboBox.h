#pragma once
// A combo box, drop-down list (CBS_DROPDOWNLIST) or editable (CBS_DROPDOWN),
// with the list box's item semantics (CListBox.h, ListSearch.h). The editable
// kind's text is its window text. Programmatic changes send no notification.
// Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    // Selects index (its text fills the edit); -1 or out of range clears the
    // selection (and the edit) and returns CB_ERR.
    int SetCurSel(int index);
    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(UINT index);
    // Removes every item and empties the edit.
    void ResetContent();
    int FindString(int startAfter, LPCWSTR text) const;
    int FindStringExact(int startAfter, LPCWSTR text) const;
    int SelectString(int startAfter, LPCWSTR text);
    int GetLBText(int index, std::wstring& text) const;
    int GetLBTextLen(int index) const;
};
