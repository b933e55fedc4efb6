#pragma once
// Watching and driving the program from outside (docs/automation.md).
// KAVRO_UI_TRANSCRIPT names the transcript file; KAVRO_UI_SCRIPT names a
// script that the program then runs as its user, on the UI thread. Both are
// off when unset. UI thread, after the application object exists.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class UiScriptRunner;

class UiAutomation {
public:
    ~UiAutomation();
    UiAutomation(const UiAutomation&) = delete;
    UiAutomation& operator=(const UiAutomation&) = delete;

    // What the environment asks for; the script starts with the first event
    // loop (the first modal dialog). Keep the object for the program's life:
    // its end records a script the program did not finish and closes the
    // transcript.
    static std::unique_ptr<UiAutomation> FromEnvironment();

    // The program has ended: records a script it did not finish (as the
    // destructor would) and tells whether a script ran to its end. True
    // without a script; false after an `error` line, a script that could not
    // be read, or a program that ended before the script did.
    bool ScriptSucceeded();

private:
    UiAutomation() = default;
    std::unique_ptr<UiScriptRunner> m_runner;
    bool m_ownsTranscript = false;
};

// The one call a program's main makes: FromEnvironment.
std::unique_ptr<UiAutomation> EnableUiAutomation();

// For tests: runs program() with the script driving it and returns the
// transcript it produced. program() typically runs a dialog modally.
std::string RunUiScript(std::string_view script, const std::function<void()>& program);
