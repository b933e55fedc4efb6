#pragma once
// The signal monitor: polls the tuner's signal statistics about once a
// second, shows lock status, strength and quality on the main window's
// panel, publishes signalLocked, and while locked reads the driver's media
// information record and shows the stream description. It also carries out
// "Apply": the input stream identifier chosen in the panel's list is sent to
// the driver and the transponder is tuned again.
//
// Cycle timing: 1000 ms after a cycle that showed lock with quality and
// strength both above 10; otherwise 1000 ms, an empty take of graphMutex and
// 500 ms more; 500 ms while there is no property-set interface.
//
// Threads: Run and everything it calls run on the monitor thread;
// ApplyInputStreamId on the user-interface thread. They share the source, the
// panel and nothing else. The monitor holds no graph object between cycles.
// Lifetime: source, panel, clock and the stop flag outlive the monitor.
#include "app/MonitorClock.h"
#include "app/MonitorPanel.h"
#include "app/SignalSource.h"
#include "platform/driver/KavroProperties.h"

#include <atomic>
#include <functional>
#include <string>

class SignalMonitor {
public:
    SignalMonitor(SignalSource& source, MonitorPanel& panel, MonitorClock& clock,
                  const std::atomic<LONG>& stopRequested);
    SignalMonitor(const SignalMonitor&) = delete;
    SignalMonitor& operator=(const SignalMonitor&) = delete;

    // The thread's loop: the panel's first state, then cycles until
    // stopRequested is seen or the tuner offers no broadcast topology.
    void Run();
    // One cycle, waits included. False: leave the loop.
    bool Cycle();

    // Results of UpdateStreamInfo.
    static constexpr int kNotShown = 0;   // no property-set interface, or the property is unsupported
    static constexpr int kShown = 1;      // shown, or emptied when not locked
    static constexpr int kReadFailed = 2; // the driver's read failed

    // Not locked: empties every stream text but MATYPE (the identifier list
    // keeps its items). Locked: reads the media information record (control
    // set on the USB box, BDA extension set otherwise) and shows it; a
    // multistream signal's identifier joins the list unless it is there.
    // A failure goes to the log every time; its message box is raised once,
    // and again only after a new tune (tuneCount) or after a read succeeded in
    // between: a box on every cycle would leave no time to use the program.
    int UpdateStreamInfo(bool locked);

    // "Apply": text is the identifier box's text, a chosen item or a typed
    // identifier ("" with neither). Shows "NULL" for no text, and
    // kStreamIdRangeText for text that is not a whole number from 0 to 255;
    // otherwise sends the identifier to the driver and, after a successful set,
    // waits 500 ms and calls retune. User-interface thread.
    void ApplyInputStreamId(const std::wstring& text, const std::function<void()>& retune);

    static constexpr const wchar_t* kStreamIdRangeText =
        L"The input stream identifier is a whole number from 0 to 255.";

    // The last media information reply (kept between reads, and passed as the
    // next read's instance data). Monitor thread.
    const StreamInfo& Info() const { return m_info; }

private:
    void ShowNoInterface();
    void ShowStream();
    // Logs a failure; true when its box is to be raised (see UpdateStreamInfo).
    bool FailureIsNew(const std::wstring& text);

    SignalSource& m_source;
    MonitorPanel& m_panel;
    MonitorClock& m_clock;
    const std::atomic<LONG>& m_stopRequested;
    StreamInfo m_info{};
    // The failure whose box was raised last and the tune it belonged to.
    std::wstring m_raisedFailure;
    unsigned m_raisedAtTune = 0;
};
