#include "tests/support/UiScriptText.h"

namespace {

std::string Args(int id) { return std::to_string(id); }

std::string Args(int id, std::string_view more)
{
    std::string args = std::to_string(id);
    args += ' ';
    args += more;
    return args;
}

} // namespace

UiScriptText& UiScriptText::Command(std::string_view name, std::string_view arguments)
{
    m_text += name;
    if (!arguments.empty()) {
        m_text += ' ';
        m_text += arguments;
    }
    m_text += '\n';
    return *this;
}

UiScriptText& UiScriptText::Click(int id) { return Command("click", Args(id)); }
UiScriptText& UiScriptText::DblClick(int id) { return Command("dblclick", Args(id)); }

// "text ID TEXT": the blank after the id stays even for an empty text.
UiScriptText& UiScriptText::Text(int id, std::string_view text) { return Line("text " + Args(id, text)); }
UiScriptText& UiScriptText::Select(int id, int index) { return Command("select", Args(id, std::to_string(index))); }
UiScriptText& UiScriptText::Pick(int id, std::string_view text) { return Line("pick " + Args(id, text)); }
UiScriptText& UiScriptText::Focus(int id) { return Command("focus", Args(id)); }
UiScriptText& UiScriptText::Key(std::string_view key) { return Command("key", key); }
UiScriptText& UiScriptText::Page(int index) { return Command("page", std::to_string(index)); }
UiScriptText& UiScriptText::Wait(int ms) { return Command("wait", std::to_string(ms)); }

UiScriptText& UiScriptText::WaitText(int id, int ms, std::string_view text)
{
    return Line("wait-text " + Args(id, std::to_string(ms) + " " + std::string(text)));
}

UiScriptText& UiScriptText::SaveAs(std::string_view path) { return Line("save-as " + std::string(path)); }
UiScriptText& UiScriptText::SaveAsCancel() { return Command("save-as", "cancel"); }
UiScriptText& UiScriptText::SysCommand(int command) { return Command("syscommand", std::to_string(command)); }
UiScriptText& UiScriptText::Help() { return Command("help"); }
UiScriptText& UiScriptText::DeviceRemoval() { return Command("device-removal"); }
UiScriptText& UiScriptText::Close() { return Command("close"); }
UiScriptText& UiScriptText::Dump() { return Command("dump"); }
UiScriptText& UiScriptText::Dump(int id) { return Command("dump", Args(id)); }

UiScriptText& UiScriptText::Line(std::string_view line)
{
    m_text += line;
    m_text += '\n';
    return *this;
}

UiScriptText& UiScriptText::Then(const UiScriptText& more)
{
    m_text += more.m_text;
    return *this;
}

std::string operator+(const std::string& text, const UiScriptText& script) { return text + script.str(); }
std::string operator+(const UiScriptText& script, const std::string& text) { return script.str() + text; }
