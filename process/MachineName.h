#pragma once
// The machine the program runs on, as the main window's title and the
// diagnostic log name it: empty on the simulated machine, whose title stays
// as it always was; else the machine's name (the real DVB tuners). Set once
// by main before any window opens; read by the main window.
#include <string>

extern std::wstring machineName;
