#include "platform/ui/win32/ControlText.h"

#include "platform/ui/win32/WindowTags.h"

std::wstring ControlText(HWND control)
{
    if (!control) return {};
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void SetControlText(HWND control, const std::wstring& text)
{
    if (!control) return;
    const ControlKind kind = ControlKindOf(control);
    if (kind == ControlKind::ComboBox && (ControlStyleOf(control) & 0x3) == CBS_DROPDOWNLIST) {
        return; // a drop-down list has no text of its own
    }
    HWND edit = kind == ControlKind::ComboBox ? FindWindowExW(control, nullptr, L"Edit", nullptr) : control;
    const bool editField = kind == ControlKind::Edit || kind == ControlKind::ComboBox;
    const bool unedited = !editField || !edit || SendMessageW(edit, EM_GETMODIFY, 0, 0) == 0;
    if (unedited && ControlText(control) == text) {
        if (kind == ControlKind::Edit) SendMessageW(control, EM_SETSEL, 0, 0); // the caret to the start, as set
        return;
    }
    SetWindowTextW(control, text.c_str());
}

std::vector<std::wstring> ControlItems(HWND control)
{
    std::vector<std::wstring> items;
    const ControlKind kind = ControlKindOf(control);
    if (kind != ControlKind::ListBox && kind != ControlKind::ComboBox) return items;
    const bool list = kind == ControlKind::ListBox;
    const LRESULT count = SendMessageW(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = SendMessageW(control, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        items.push_back(std::move(text));
    }
    return items;
}

int ControlSelection(HWND control)
{
    switch (ControlKindOf(control)) {
    case ControlKind::ListBox:
        return static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    case ControlKind::ComboBox:
        return static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    default:
        return -1;
    }
}
