#pragma once
// A dialog template as the system's dialog manager reads it: an extended
// in-memory template (DLGTEMPLATEEX and one DLGITEMTEMPLATEEX per control, in
// dialog units, DS_SETFONT with the template's font). Each control kind
// becomes the system's own control class with the styles a resource script
// would give it. Pure.
#include "platform/ui/DialogTemplate.h"

#include <vector>

enum class DialogRole {
    Modal, // a captioned pop-up with a system menu
    Page,  // a child inside a property sheet (DS_CONTROL)
};

// The template's words; data() is DWORD-aligned as the system requires.
std::vector<DWORD> DialogBytes(const DialogTemplate& tmpl, DialogRole role);

// The window style a control of this template gets (WS_CHILD and the kind's
// class style included).
DWORD ControlWindowStyle(const ControlTemplate& control);
