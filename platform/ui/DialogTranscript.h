#pragma once
// The transcript's lines for a dialog or page: `open ID "CAPTION"` when its
// window has been made, `end ID OK|CANCEL|N` when its modal run ends.
#include "platform/ui/DialogTemplate.h"

void WriteDialogOpen(const DialogTemplate& tmpl);
void WriteDialogEnd(const DialogTemplate& tmpl, INT_PTR result);
