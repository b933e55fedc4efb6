#include "platform/ui/MessageBox.h"

#include "platform/ui/MessageBoxRules.h"
#include "platform/ui/ProgramFile.h"

#include <mutex>
#include <optional>
#include <string>

// The toolkit's message boxes on the system's own. A box is raised on the
// calling thread, as MessageBoxW raises it; boxes answered without a window
// (recorder, script mode) are taken one at a time, as the UI thread takes them
// in the Qt toolkit.

namespace {

std::mutex unshownLock;

std::wstring OrEmpty(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

int Show(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    {
        const std::lock_guard<std::mutex> lock(unshownLock);
        if (const std::optional<int> answer = AnswerWithoutShowing(caption, text, type)) {
            return *answer;
        }
    }
    const int result = MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    // 0: the system could not show it; the caller sees Cancel, as when the Qt
    // toolkit has no application to show it on.
    return result != 0 ? result : IDCANCEL;
}

} // namespace

int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    return Show(owner, OrEmpty(text), caption ? std::wstring(caption) : std::wstring(L"Error"), type);
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT /*helpId*/)
{
    // No application object here yet: the title is the program's base name, as
    // CWinApp's is without one; the owner is the thread's active window.
    return Show(GetActiveWindow(), OrEmpty(text), ProgramBaseName(), AppMessageBoxType(type));
}
