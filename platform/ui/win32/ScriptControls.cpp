#include "platform/ui/automation/ScriptControls.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/win32/ControlText.h"
#include "platform/ui/win32/VisibleTo.h"
#include "platform/ui/win32/WindowTags.h"

namespace {

bool IsButton(ControlKind kind)
{
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// A control a user can put the focus on: shown, enabled, of a kind that takes it.
bool TakesFocus(HWND control)
{
    const ControlKind kind = ControlKindOf(control);
    const bool focusable =
        kind == ControlKind::Edit || IsButton(kind) || kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
    return focusable && IsEnabledToRoot(control) && IsVisibleToRoot(control);
}

} // namespace

ControlLook LookAt(HWND control)
{
    ControlLook look;
    look.kind = ControlKindOf(control);
    look.style = ControlStyleOf(control);
    look.text = ControlText(control);
    look.enabled = IsEnabledToRoot(control);
    look.visible = IsVisibleToRoot(control);
    if (IsButton(look.kind)) look.checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (look.kind == ControlKind::Progress) {
        PBRANGE range{};
        SendMessageW(control, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        look.pos = static_cast<int>(SendMessageW(control, PBM_GETPOS, 0, 0));
        look.lower = range.iLow;
        look.upper = range.iHigh;
    }
    if (look.kind == ControlKind::ListBox || look.kind == ControlKind::ComboBox) {
        look.selection = ControlSelection(control);
        look.items = ControlItems(control);
    }
    return look;
}

bool Shown(HWND control) { return IsVisibleToRoot(control); }

bool Usable(HWND control) { return IsEnabledToRoot(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT)); }

TextEntry TextEntryOf(HWND control)
{
    switch (ControlKindOf(control)) {
    case ControlKind::Edit:
        // Read-only as it is now (CEdit::SetReadOnly), digits as it was made.
        if (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) return TextEntry::ReadOnly;
        return (ControlStyleOf(control) & ES_NUMBER) ? TextEntry::Digits : TextEntry::Any;
    case ControlKind::ComboBox:
        return (ControlStyleOf(control) & 0x3) == CBS_DROPDOWN ? TextEntry::Any : TextEntry::None;
    default:
        return TextEntry::None;
    }
}

void FocusControl(HWND control, FocusCause /*cause*/) { SetFocus(control); }

void TypeText(CWnd& control, const std::wstring& text)
{
    HWND window = control.GetSafeHwnd();
    if (!window) return;
    // WM_SETTEXT: an edit sends its EN_CHANGE itself; a combo's edit does
    // not tell the combo's window, which hears CBN_EDITCHANGE as from typing.
    SetWindowTextW(window, text.c_str());
    if (ControlKindOf(window) == ControlKind::ComboBox) {
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(window));
    }
}

HWND KeyTargetOf(CWnd& window, CWnd* page)
{
    HWND top = window.GetSafeHwnd();
    if (HWND focus = GetFocus(); focus && IsChild(top, focus) && IsVisibleToRoot(focus) && IsEnabledToRoot(focus)) {
        // The edit inside a combo box stands for the combo.
        if (!IsTaggedControl(focus) && IsTaggedControl(GetParent(focus))) return GetParent(focus);
        return focus;
    }
    if (page) {
        for (const auto& control : page->Controls()) {
            if (HWND candidate = control->GetSafeHwnd(); candidate && TakesFocus(candidate)) return candidate;
        }
        return page->GetSafeHwnd();
    }
    return top;
}
