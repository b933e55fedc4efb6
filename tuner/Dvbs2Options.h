#pragma once
// The DVB-S2 physical-layer options of the Tuner Setting page that reach the
// demodulator through the driver's property sets rather than the tune request:
// the scrambling code, the output stream type (TS or GS) and the MODCOD filter.
// Every operation asks IsUsbTuner() first: the control set for the USB box,
// the BDA extension set for the PCI-E cards; nothing is sent without
// TunerGraph's m_pKsCtrl.
//
// Message boxes: caption "error" for unsupported properties and a missing
// interface; the application title without icon for the results of "Set" and
// "Set MODCODES"; the application's warning box for stream type failures.
// owner is the window the boxes belong to (the page).
//
// Threads: the page's UI thread. The property calls are made without
// graphMutex (the monitor thread may use m_pKsCtrl at the same time).
#include "platform/driver/KavroProperties.h"
#include "platform/ui/WinUser.h"

class Dvbs2Options {
public:
    // The page's output stream choice: TS 1, GS 0 at construction.
    const StreamTypeParams& StreamChoice() const { return m_stream; }

    // OutPutStream selection changed: index 0 TS, 1 GS; other values keep the
    // choice. Nothing is sent.
    void SelectOutputStream(int index);

    // Page initialisation, PCI-E path: the driver's stream type into the
    // choice. True when read (or on the USB box, which has no such property).
    bool ReadStreamType(HWND owner);
    // "Lock TP", PCI-E path: true when the driver's stream type equals the
    // choice; false (with its message) when it differs or cannot be read.
    bool StreamTypeMatches(HWND owner);
    // Stops the graph, then sends the choice. True when sent, or on the USB box.
    bool SendStreamType(HWND owner);

    // "Set": sends the scrambling code as entered (codeType 0 root, 1 gold),
    // without range check, and shows the outcome.
    void SetPlsCode(HWND owner, LONG code, LONG codeType);
    // Page destruction: back to the standard default sequence, sent as root
    // code 1 and then, if that was accepted, as gold code 0. Failures only go
    // to the debugger output; an unsupported BDA property shows its box.
    void ResetScrambling(HWND owner);
    // "Set MODCODES" ended with OK: sends the list (count 0 included) and
    // shows the outcome.
    void SendModcods(HWND owner, ModcodList& list);

private:
    StreamTypeParams m_stream{1, 0};
};
