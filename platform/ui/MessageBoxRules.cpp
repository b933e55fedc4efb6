#include "platform/ui/MessageBoxRules.h"

#include "platform/ui/MessageRecorder.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

namespace {

const char* IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return "stop";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "exclamation";
    case MB_ICONASTERISK:
        return "information";
    default:
        return "none";
    }
}

} // namespace

int FirstButtonResult(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

UINT AppMessageBoxType(UINT type)
{
    if ((type & MB_ICONMASK) != 0) return type;
    switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return type | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return type | MB_ICONQUESTION;
    default:
        return type;
    }
}

std::optional<int> AnswerWithoutShowing(const std::wstring& caption, const std::wstring& text, UINT type)
{
    Transcript::Write("msgbox " + Transcript::Quote(caption) + " " + IconName(type) + " " + Transcript::Quote(text));
    if (MessageRecorder* recorder = MessageRecorder::Active()) {
        return recorder->Record({caption, text, type}, FirstButtonResult(type));
    }
    if (ScriptModeActive()) {
        return FirstButtonResult(type);
    }
    return std::nullopt;
}
