#pragma once
// The scenarios the whole-program tests run, shared by the Linux tests that check
// each in detail and by the test that runs each on both builds and compares
// them (WineRunTest.cpp). A world that names a folder takes the folder as the
// program names paths: a Linux path for the Linux build, a Wine path (Z:\...)
// for the Windows build.
#include "tests/support/UiScriptText.h"

#include <string>

// A sky of one satellite, 19.2 E, with one DVB-S2 transponder: 11494 H, 22000,
// 8PSK 2/3, pilots on, roll-off 0.20. Its file name and text.
extern const char kOneTransponderSkyFile[];
extern const char kOneTransponderSkyText[];

// Tuner B of the dual card alone, on a fixed dish at 19.2 E (sky: the one-transponder sky).
std::string OneTransponderWorld(const std::string& sky);
// The universal LNB typed, 11494 H locked, the stream description read, a short
// recording, then three seconds into c:\L-capture.ts in time mode.
std::string TuneWatchAndRecordScript();

// The embedded world's first tuner (N71) at Augsburg; the fixed dish on port A looks
// at 13.0 E, the motorised dish on port C starts on the site's meridian (sky: the
// shipped satellite files).
std::string PositionerWorld(const std::string& sky);
// 10744 H on port C typed and tried (unlocked: the dish looks elsewhere), the site
// and 19.2 E chosen on the Motor/Positioner page, Go, and Lock TP again.
std::string PositionerScript();

// Tuner B chosen, nothing tuned: the monitor's panel, then Apply, Start and
// Cancel of the recorder, each refused with its message box.
std::string BeforeAnyTuneScript();

// One tuner that the machine reports removed removalAfterMs after its start.
std::string RemovedTunerWorld(int removalAfterMs = 2000);
// The tuner chosen, then a wait far beyond the removal.
std::string RemovedTunerScript();

// The field runs' machine: tuner B of the dual card at Augsburg; port A a fixed
// dish on 19.2 E, port C the motorised dish, slow enough to be still turning a few
// seconds after Go (sky: the shipped satellite files); extra goes into [World].
std::string FieldWorld(const std::string& sky, const std::string& extra = "");
// The first tuner chosen, 10744 H typed with the universal LNB and this DiSEqC
// port, and Lock TP pressed.
UiScriptText LockTp10744(int diseqc);
// 10744 H of 19.2 E through port A, locked, with the stream's symbol rate shown.
std::string FieldTuneScript();
// A first short recording leaves the graph stopped, so the one started after it
// runs the graph again (its delivered bytes are journaled from its start); the
// second runs in time mode with a limit far beyond any test, into c:\L-capture.ts.
std::string FieldRecordScript();
