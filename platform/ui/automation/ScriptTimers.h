#pragma once
// The script runner's timers on the toolkit's event loop: Qt timers on Linux,
// window timers of a hidden message window on Windows. Callbacks run on the UI
// thread from the running event loop (a modal dialog's), never after the
// object has gone. UI thread only.
#include <functional>
#include <memory>

class ScriptTimers {
public:
    ScriptTimers();
    ~ScriptTimers();
    ScriptTimers(const ScriptTimers&) = delete;
    ScriptTimers& operator=(const ScriptTimers&) = delete;

    // fn once, after milliseconds (0: the next turn of the event loop).
    void After(int milliseconds, std::function<void()> fn);
    // fn every milliseconds.
    void Every(int milliseconds, std::function<void()> fn);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
