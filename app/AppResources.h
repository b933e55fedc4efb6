#pragma once
// The program's images and strings (Resource.h names them), drawn by code:
// the application icon (a dish under a satellite), the locked and unlocked
// icons and the banner. UI thread, after the Qt application exists; call once
// at start-up before any window opens. The banner is made to the main
// window's 313 x 25 dialog units in that window's font.
void RegisterAppResources();
