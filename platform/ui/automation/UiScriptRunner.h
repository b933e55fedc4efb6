#pragma once
// Runs a UI script's commands on the UI thread, one per turn of whatever
// event loop is running (a command that opens a modal dialog leaves the next
// command to run inside that dialog's loop). Commands act on the active
// window: the innermost modal dialog, else the main window; controls are
// looked up in the shown page of its property sheet first. Results go to the
// transcript: `error LINE "REASON"` stops the script, `done` ends it. Then
// the program is closed as if the user closed it: the innermost modal dialog
// gets the close command until none is left. While a runner exists the
// toolkit is in script mode (ScriptMode.h). UI thread only.
#include "platform/ui/automation/ScriptTimers.h"
#include "platform/ui/automation/UiScript.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;

class UiScriptRunner {
public:
    explicit UiScriptRunner(std::vector<UiScriptCommand> commands);
    ~UiScriptRunner();
    UiScriptRunner(const UiScriptRunner&) = delete;
    UiScriptRunner& operator=(const UiScriptRunner&) = delete;

    // Schedules the first command for the next event-loop turn.
    void Start();
    // Reports an error before any command runs (a script that could not be
    // read) and goes straight to closing the program.
    void FailAtStart(const std::string& reason);
    // True after `done` or an error line.
    bool Finished() const { return m_finished; }
    // True after `done`: every command ran and none failed.
    bool Succeeded() const { return m_finished && !m_failed; }
    // The program has ended: `done` when every command had run, else an
    // error line for the first command that never ran.
    void ReportUnfinished();

private:
    void Step();
    void ScheduleStep(int milliseconds);
    void Execute(const UiScriptCommand& command);
    void WaitForText(const UiScriptCommand& command, long long waitedMs);
    void Fail(int line, const std::string& reason);
    void Finish();
    void CloseProgram();
    void Dump(CWnd* window, const UiScriptCommand& command);

    std::vector<UiScriptCommand> m_commands;
    size_t m_next = 0;
    bool m_finished = false;
    bool m_failed = false;
    int m_waitedForWindowMs = 0;
    const void* m_closing = nullptr;
    int m_closeAttempts = 0;
    // Timers of this runner die with it.
    std::unique_ptr<ScriptTimers> m_timers;
};
