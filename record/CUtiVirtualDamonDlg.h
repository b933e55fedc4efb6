#pragma once
// The Capture Control page (template 131), the second page of the main
// window's sheet: output path, file-size or time limit, Start and Cancel
// Record, status and progress.
//
// A recording: Start Record (needs signalLocked and valid entries) creates
// the output file, opens the sink's write gate and runs the graph; a one-shot
// 100 ms timer, armed again after each tick, shows the file size or the time
// left and stops the recording at 101 percent of its limit (in time mode ten
// ticks make a second). Cancel Record, the automatic stop and a write failure
// of the sink stop the graph and close the file; what was written stays.
//
// Entries: a recording never starts with an invalid entry. During a
// recording each tick reads the entries again; an invalid one is reported
// once and the last valid limits stay in force until it is corrected; they
// keep counting, and stop the recording, while that message is open.
//
// UI thread: every handler, the timer included.
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CProgressCtrl.h"

#include <array>
#include <optional>
#include <string>

class RecordSession;
struct TunerGraph;

inline constexpr int IDC_RECORD_PROGRESS = 1004;
inline constexpr int IDC_BROWSE_PATH = 1029;
inline constexpr int IDC_RECORD_PATH = 1030;
inline constexpr int IDC_TIME_LIMIT = 1031;
inline constexpr int IDC_SIZE_LIMIT = 1032;
inline constexpr int IDC_USE_SIZE_LIMIT = 1033;
inline constexpr int IDC_USE_TIME_LIMIT = 1034;
inline constexpr int IDC_RECORD_STATUS = 1035;
inline constexpr int IDC_START_RECORD = 1036;
inline constexpr int IDC_CANCEL_RECORD = 1037;
inline constexpr int IDC_PROGRESS_LABEL = 1038;
inline constexpr int IDC_PROGRESS_TEXT = 1039;

class CUtiVirtualDamonDlg : public CPropertyPage {
public:
    // graph and session: the process's records, or a test's; they outlive the page.
    CUtiVirtualDamonDlg();
    CUtiVirtualDamonDlg(TunerGraph& graph, RecordSession& session);

    static DialogTemplate Template();

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnTimer(UINT_PTR id) override;

    void OnUseFileSizeLimit();
    void OnUseTimeLimit();
    void OnBrowsePath();
    void OnStartRecord();
    void OnCancelRecord();

    bool Recording() const { return recording; }
    UINT TickCount() const { return tickCount; }

    // The entries (as last read from the controls).
    std::wstring path = L"c:\\L-capture.ts";
    UINT timeLimitSeconds = 10;
    UINT sizeLimitMB = 500;
    CProgressCtrl m_progress;

private:
    // Reads the entries back with their range checks. True when all are
    // valid; the limits in force then follow them. With quietRepeat, entries
    // that were just rejected and have not changed are not checked (and
    // reported) again.
    bool ReadEntries(bool quietRepeat);
    std::array<std::wstring, 3> EntryTexts() const;
    // Stops the graph, closes the file and shows the page idle.
    void StopRecording();
    void TickSizeMode();
    void TickTimeMode();
    void ShowProgress(UINT percent);

    TunerGraph& m_graph;
    RecordSession& m_session;
    bool sizeLimitMode = true;
    bool recording = false;
    UINT tickCount = 0;
    // The limits a running recording follows: those of the last valid reading.
    UINT m_timeLimitInForce = 10;
    UINT m_sizeLimitInForce = 500;
    std::optional<std::array<std::wstring, 3>> m_rejectedEntries;
    // A tick is reading the entries (and may be showing their message).
    bool m_readingEntries = false;
};
