#pragma once
// A dialog template as data: what a resource script says about one dialog or
// property page. The builder (DialogBuilder.h) turns it into widgets.
// Rectangles are in dialog units: x and width in quarters of the dialog font's
// average character width, y and height in eighths of its height.
#include "platform/ui/WinUser.h"

#include <string>
#include <vector>

enum class ControlKind {
    Static,      // text label (SS_LEFT, SS_CENTER, SS_RIGHT)
    GroupBox,    // frame with a caption, drawn behind the controls it surrounds
    Line,        // etched separator, horizontal or vertical by its shape
    Edit,        // one-line edit (ES_NUMBER, ES_READONLY, ES_AUTOHSCROLL)
    PushButton,  // BS_DEFPUSHBUTTON marks the default button
    CheckBox,    // two-state box that toggles on click
    RadioButton, // auto radio button; WS_GROUP starts a new group
    ListBox,     // LBS_SORT, LBS_NOTIFY, WS_VSCROLL
    ComboBox,    // CBS_DROPDOWNLIST or CBS_DROPDOWN, CBS_SORT
    Progress,    // progress bar, range 0..100 until set
    UpDown,      // arrows stepping an integer (UDS_* styles)
    Picture,     // SS_BITMAP or SS_ICON showing a resource image
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct ControlTemplate {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    std::wstring text;               // caption; empty for lists, edits and pictures
    DialogRect rect;                 // dialog units
    DWORD style = 0;                 // WS_* plus the kind's own styles
    bool hidden = false;             // created without WS_VISIBLE
    int image = 0;                   // Picture: icon or bitmap resource id
    std::vector<std::wstring> items; // initial entries of a list or combo, added in order
};

struct DialogTemplate {
    int id = 0;           // resource id, shown in the transcript
    std::wstring caption; // title of a dialog, tab label of a page
    std::wstring fontName = L"MS Shell Dlg";
    int fontPointSize = 8;
    int cx = 0; // client size in dialog units
    int cy = 0;
    std::vector<ControlTemplate> controls; // in tab order (creation order)
};
