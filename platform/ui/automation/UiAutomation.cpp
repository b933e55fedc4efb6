#include "platform/ui/automation/UiAutomation.h"

#include "platform/ui/automation/Transcript.h"
#include "platform/ui/automation/UiScriptRunner.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

UiAutomation::~UiAutomation()
{
    if (m_runner) {
        m_runner->ReportUnfinished();
        m_runner.reset();
    }
    if (m_ownsTranscript) {
        Transcript::OpenFile(std::string());
    }
}

bool UiAutomation::ScriptSucceeded()
{
    if (!m_runner) return true;
    m_runner->ReportUnfinished();
    return m_runner->Succeeded();
}

std::unique_ptr<UiAutomation> UiAutomation::FromEnvironment()
{
    std::unique_ptr<UiAutomation> automation(new UiAutomation);
    if (const char* path = std::getenv("KAVRO_UI_TRANSCRIPT"); path && *path) {
        automation->m_ownsTranscript = Transcript::OpenFile(path);
    }
    const char* scriptPath = std::getenv("KAVRO_UI_SCRIPT");
    if (!scriptPath || !*scriptPath) {
        return automation;
    }
    std::ifstream file(scriptPath, std::ios::binary);
    std::ostringstream text;
    if (file) {
        text << file.rdbuf();
    }
    automation->m_runner = std::make_unique<UiScriptRunner>(UiScript::Parse(text.str()));
    if (!file) {
        // Still script mode: nothing may wait for a person, and the program
        // closes by itself.
        automation->m_runner->FailAtStart("cannot read the script " + std::string(scriptPath));
    } else {
        automation->m_runner->Start();
    }
    return automation;
}

std::unique_ptr<UiAutomation> EnableUiAutomation() { return UiAutomation::FromEnvironment(); }

std::string RunUiScript(std::string_view script, const std::function<void()>& program)
{
    Transcript::BeginCapture();
    {
        UiScriptRunner runner(UiScript::Parse(script));
        runner.Start();
        program();
        runner.ReportUnfinished();
    }
    return Transcript::TakeCapture();
}
