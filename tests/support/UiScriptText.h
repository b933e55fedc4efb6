#pragma once
// A UI script (docs/automation.md) built from control ids by name, one
// command a call, each giving exactly the script line the format defines:
//
//   const std::string script = UiScriptText().Click(IDOK).Text(IDC_LNB_LOW, "9750").Page(1);
//
// Texts are taken as they are: a text with a line end would end the command
// there, so a test that means a broken line writes it with Line.
#include <string>
#include <string_view>

class UiScriptText {
public:
    UiScriptText& Click(int id);
    UiScriptText& DblClick(int id);
    UiScriptText& Text(int id, std::string_view text);
    UiScriptText& Select(int id, int index);
    UiScriptText& Pick(int id, std::string_view text);
    UiScriptText& Focus(int id);
    // "enter" or "escape".
    UiScriptText& Key(std::string_view key);
    UiScriptText& Page(int index);
    UiScriptText& Wait(int ms);
    UiScriptText& WaitText(int id, int ms, std::string_view text);
    // Arms the next Save As dialog with path, or with Cancel.
    UiScriptText& SaveAs(std::string_view path);
    UiScriptText& SaveAsCancel();
    UiScriptText& SysCommand(int command);
    UiScriptText& Help();
    UiScriptText& DeviceRemoval();
    UiScriptText& Close();
    UiScriptText& Dump();
    UiScriptText& Dump(int id);
    // A line as it is: a comment, or text that is not a command.
    UiScriptText& Line(std::string_view line);
    // The commands of another script, after these.
    UiScriptText& Then(const UiScriptText& more);

    const std::string& str() const { return m_text; }
    operator const std::string&() const { return m_text; }

private:
    UiScriptText& Command(std::string_view name, std::string_view arguments = {});

    std::string m_text;
};

std::string operator+(const std::string& text, const UiScriptText& script);
std::string operator+(const UiScriptText& script, const std::string& text);
