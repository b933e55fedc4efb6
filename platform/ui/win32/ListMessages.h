#pragma once
// The list box's and the combo box's item operations share their semantics
// (CListBox.h, ListSearch.h) and differ only in their message codes: one
// implementation over either set. Any thread (carried to the UI thread).
#include "platform/ui/CWnd.h"

#include <string>

struct ListMessages {
    UINT getCount, getCurSel, setCurSel, addString, insertString, deleteString, resetContent, findString,
        findStringExact, selectString, getText, getTextLen;
    LRESULT error;

    static const ListMessages& ListBox();
    static const ListMessages& ComboBox();
};

int ListCount(const CWnd& box, const ListMessages& codes);
int ListCurSel(const CWnd& box, const ListMessages& codes);
int ListSetCurSel(const CWnd& box, const ListMessages& codes, int index);
int ListAdd(const CWnd& box, const ListMessages& codes, LPCWSTR text);
int ListInsert(const CWnd& box, const ListMessages& codes, int index, LPCWSTR text);
int ListDelete(const CWnd& box, const ListMessages& codes, UINT index);
void ListReset(const CWnd& box, const ListMessages& codes);
// code: findString, findStringExact or selectString; an empty text finds nothing.
int ListFind(const CWnd& box, const ListMessages& codes, UINT code, int startAfter, LPCWSTR text);
int ListText(const CWnd& box, const ListMessages& codes, int index, std::wstring& text);
int ListTextLen(const CWnd& box, const ListMessages& codes, int index);
