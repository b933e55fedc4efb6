#pragma once
// What the script runner (UiScriptRunner.h) reads from and does to the
// toolkit's controls, as a user sees and does it; one implementation per
// toolkit (Qt widgets, or the system's controls on Windows), the commands'
// logic shared. UI thread.
#include "platform/ui/DialogTemplate.h"

#include <string>
#include <vector>

class CWnd;

// How a control got the focus (the Qt toolkit selects an edit's text on a tab).
enum class FocusCause { Mouse, Tab, Other };

// What a control takes as typed text: nothing, nothing (read-only), digits only
// (ES_NUMBER), or any text.
enum class TextEntry { None, ReadOnly, Digits, Any };

struct ControlLook {
    ControlKind kind = ControlKind::Static;
    DWORD style = 0; // the template's
    std::wstring text;
    bool enabled = false; // with the windows around it, up to its top-level window
    bool visible = false; // the same
    bool checked = false;
    int pos = 0, lower = 0, upper = 0; // a progress bar's
    int selection = -1;
    std::vector<std::wstring> items; // a list's or combo's
};

ControlLook LookAt(HWND control);
// Whether a user could act on it: shown in its window and enabled, with the
// windows around it.
bool Shown(HWND control);
bool Usable(HWND control);
TextEntry TextEntryOf(HWND control);

void FocusControl(HWND control, FocusCause cause);
// The text as typed over the old: the edit's EN_CHANGE, or an editable combo's
// CBN_EDITCHANGE to its window.
void TypeText(CWnd& control, const std::wstring& text);
// Where a key goes: the window's focused control, else the shown page's first
// control that takes the focus (page: nullptr for none), else the window itself.
HWND KeyTargetOf(CWnd& window, CWnd* page);
