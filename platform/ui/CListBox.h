#pragma once
// A single-selection list box with the Windows item semantics: AddString
// keeps a sorted list (LBS_SORT) sorted, InsertString puts an item at the given
// index whatever the style, searches go by prefix or whole text without regard
// to case, from after an index round to it (ListSearch.h). Programmatic
// changes send no notification. Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

#include <string>

class CListBox : public CWnd {
public:
    int GetCount() const;
    // -1 for no selection.
    int GetCurSel() const;
    // Selects index; -1 or an index out of range clears the selection and
    // returns LB_ERR, else returns index.
    int SetCurSel(int index);
    // Index of the new item, LB_ERR for a null text.
    int AddString(LPCWSTR text);
    // At index (-1: at the end); LB_ERR past the end.
    int InsertString(int index, LPCWSTR text);
    // Items left, or LB_ERR for a bad index.
    int DeleteString(UINT index);
    void ResetContent();
    int FindString(int startAfter, LPCWSTR text) const;
    int FindStringExact(int startAfter, LPCWSTR text) const;
    // Selects the first item found by prefix; LB_ERR (selection unchanged) if none.
    int SelectString(int startAfter, LPCWSTR text);
    // Length of the item's text, or LB_ERR for a bad index (text emptied).
    int GetText(int index, std::wstring& text) const;
    int GetTextLen(int index) const;
};
