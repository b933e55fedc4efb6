#include "tests/graph/MessageCapture.h"

#include "platform/com/WideText.h"
#include "platform/ui/ProgramFile.h"
#include "platform/ui/ScriptMode.h"
#include "platform/ui/Transcript.h"

#include <sstream>
#include <string_view>

namespace {

std::vector<std::string> TakeLines()
{
    std::vector<std::string> lines;
    std::istringstream text(Transcript::TakeCapture());
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("msgbox ", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Undoes the transcript's quoting of a text: "..." with C escapes.
std::string Unquote(std::string_view quoted)
{
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::string(quoted);
    }
    quoted = quoted.substr(1, quoted.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\' || i + 1 == quoted.size()) {
            text += quoted[i];
            continue;
        }
        const char escaped = quoted[++i];
        switch (escaped) {
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case 'x':
            text += static_cast<char>(std::stoi(std::string(quoted.substr(i + 1, 2)), nullptr, 16));
            i += 2;
            break;
        default: text += escaped; break;
        }
    }
    return text;
}

// The prefix of a box line of each kind, up to the quoted text.
std::string Prefix(std::wstring_view caption, const char* icon)
{
    return "msgbox " + Transcript::Quote(caption) + " " + icon + " ";
}

} // namespace

MessageCapture::MessageCapture()
{
    SetScriptModeActive(true);
    Transcript::BeginCapture();
}

MessageCapture::~MessageCapture()
{
    Transcript::TakeCapture();
    SetScriptModeActive(false);
}

std::vector<std::wstring> MessageCapture::Texts()
{
    for (std::string& line : TakeLines()) {
        m_lines.push_back(std::move(line));
    }
    Transcript::BeginCapture();
    const std::string error = Prefix(L"error", "none");
    const std::string app = Prefix(ProgramBaseName(), "exclamation");
    std::vector<std::wstring> texts;
    for (const std::string& line : m_lines) {
        if (line.rfind(error, 0) == 0) {
            texts.push_back(L"error: " + FromUtf8(Unquote(line.substr(error.size()))));
        } else if (line.rfind(app, 0) == 0) {
            texts.push_back(L"app: " + FromUtf8(Unquote(line.substr(app.size()))));
        } else {
            texts.push_back(FromUtf8(line));
        }
    }
    return texts;
}

void MessageCapture::Clear()
{
    Texts();
    m_lines.clear();
}
