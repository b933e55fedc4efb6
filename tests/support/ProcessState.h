#pragma once
// The state the program keeps for the whole process, outside any window, put
// back as a fresh process has it, so that no test sees what an earlier one
// left: the TunerGraph record released and cleared (device type unsupported,
// tuning block zero), no chosen device (index -1, no name), the lock flag
// down, no program directory, no COM class registered and the journal closed.
// graphMutex stays: the start-up creates it once and never closes it.
// UI thread, with the apartment still entered (releasing the record may reach
// the graph's objects).
void ResetProcessState();
