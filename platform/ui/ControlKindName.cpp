#include "platform/ui/ControlKindName.h"

const char* ControlKindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static:
        return "static";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Line:
        return "line";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::PushButton:
        return "button";
    case ControlKind::CheckBox:
        return "check";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::ListBox:
        return "list";
    case ControlKind::ComboBox:
        return "combo";
    case ControlKind::Progress:
        return "progress";
    case ControlKind::UpDown:
        return "updown";
    case ControlKind::Picture:
        return "picture";
    }
    return "unknown";
}
