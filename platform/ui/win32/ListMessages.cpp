#include "platform/ui/win32/ListMessages.h"

#include "platform/ui/UiThread.h"
#include "platform/ui/win32/SendToWindow.h"

const ListMessages& ListMessages::ListBox()
{
    static const ListMessages codes{
        LB_GETCOUNT,     LB_GETCURSEL,    LB_SETCURSEL,  LB_ADDSTRING,       LB_INSERTSTRING,
        LB_DELETESTRING, LB_RESETCONTENT, LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING,
        LB_GETTEXT,      LB_GETTEXTLEN,   LB_ERR};
    return codes;
}

const ListMessages& ListMessages::ComboBox()
{
    static const ListMessages codes{
        CB_GETCOUNT,     CB_GETCURSEL,    CB_SETCURSEL,  CB_ADDSTRING,       CB_INSERTSTRING,
        CB_DELETESTRING, CB_RESETCONTENT, CB_FINDSTRING, CB_FINDSTRINGEXACT, CB_SELECTSTRING,
        CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ERR};
    return codes;
}

int ListCount(const CWnd& box, const ListMessages& codes)
{
    return static_cast<int>(SendToWindow(box, codes.getCount));
}

int ListCurSel(const CWnd& box, const ListMessages& codes)
{
    return static_cast<int>(SendToWindow(box, codes.getCurSel, 0, 0, -1));
}

int ListSetCurSel(const CWnd& box, const ListMessages& codes, int index)
{
    int result = static_cast<int>(codes.error);
    RunOnUiThread([&] {
        HWND window = box.GetSafeHwnd();
        if (!window) return;
        const auto count = static_cast<int>(SendMessageW(window, codes.getCount, 0, 0));
        if (index < 0 || index >= count) {
            SendMessageW(window, codes.setCurSel, static_cast<WPARAM>(-1), 0); // out of range clears it
            return;
        }
        result = static_cast<int>(SendMessageW(window, codes.setCurSel, static_cast<WPARAM>(index), 0));
    });
    return result;
}

int ListAdd(const CWnd& box, const ListMessages& codes, LPCWSTR text)
{
    if (!text) return static_cast<int>(codes.error);
    return static_cast<int>(SendToWindow(box, codes.addString, 0, reinterpret_cast<LPARAM>(text), codes.error));
}

int ListInsert(const CWnd& box, const ListMessages& codes, int index, LPCWSTR text)
{
    if (!text) return static_cast<int>(codes.error);
    return static_cast<int>(
        SendToWindow(box, codes.insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text), codes.error));
}

int ListDelete(const CWnd& box, const ListMessages& codes, UINT index)
{
    return static_cast<int>(SendToWindow(box, codes.deleteString, index, 0, codes.error));
}

void ListReset(const CWnd& box, const ListMessages& codes) { SendToWindow(box, codes.resetContent); }

int ListFind(const CWnd& box, const ListMessages& codes, UINT code, int startAfter, LPCWSTR text)
{
    if (!text || !*text) return static_cast<int>(codes.error);
    return static_cast<int>(
        SendToWindow(box, code, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text), codes.error));
}

int ListTextLen(const CWnd& box, const ListMessages& codes, int index)
{
    return static_cast<int>(SendToWindow(box, codes.getTextLen, static_cast<WPARAM>(index), 0, codes.error));
}

int ListText(const CWnd& box, const ListMessages& codes, int index, std::wstring& text)
{
    text.clear();
    int length = static_cast<int>(codes.error);
    RunOnUiThread([&] {
        HWND window = box.GetSafeHwnd();
        if (!window) return;
        const LRESULT size = SendMessageW(window, codes.getTextLen, static_cast<WPARAM>(index), 0);
        if (size < 0) return;
        std::wstring buffer(static_cast<size_t>(size) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(window, codes.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
        if (copied < 0) return;
        buffer.resize(static_cast<size_t>(copied));
        text = buffer;
        length = static_cast<int>(copied);
    });
    return length;
}
