#pragma once
// Whether a UI script drives the program, and the answers it has armed. In
// script mode nothing waits for a person: message boxes are recorded and take
// their first button, and a Save As dialog takes the armed answer (or Cancel).
// UI thread, except ScriptModeActive, which any thread may ask.
#include <optional>
#include <string>

bool ScriptModeActive();
void SetScriptModeActive(bool active);

// Arms the answer for the next Save As dialog: a path, or nullopt for Cancel.
void ArmSaveAsAnswer(std::optional<std::wstring> answer);
// The armed answer, disarmed by taking it; false when none was armed.
bool TakeSaveAsAnswer(std::optional<std::wstring>& answer);
