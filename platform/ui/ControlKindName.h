#pragma once
// The transcript's name of a control kind (docs/automation.md): static,
// group, line, edit, button, check, radio, list, combo, progress, updown,
// picture. Pure.
#include "platform/ui/DialogTemplate.h"

const char* ControlKindName(ControlKind kind);
