#include "platform/ui/CFileDialog.h"

#include "platform/files/WinPath.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

#include <filesystem>
#include <optional>

// What the file dialogs do the same on either toolkit: the default
// extension, the overwrite question, script mode and the transcript.

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent, DWORD /*size*/, BOOL /*vistaStyle*/)
    : m_open(openFileDialog != FALSE),
      m_defaultExtension(defaultExtension ? defaultExtension : L""),
      m_fileName(fileName ? fileName : L""),
      m_flags(flags),
      m_filter(filter ? filter : L""),
      m_parent(parent)
{}

std::wstring CFileDialog::WithDefaultExtension(const std::wstring& path, const std::wstring& extension)
{
    if (extension.empty() || path.empty()) {
        return path;
    }
    const auto slash = path.find_last_of(L"/\\");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find(L'.') != std::wstring::npos) {
        return path;
    }
    return path + L"." + extension;
}

std::wstring CFileDialog::GetFileName() const
{
    const auto slash = m_path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? m_path : m_path.substr(slash + 1);
}

bool CFileDialog::ConfirmOverwrite(const std::wstring& path) const
{
    if (m_open || !(m_flags & OFN_OVERWRITEPROMPT)) {
        return true;
    }
    // The path is a Windows text ("c:\rec.ts" from a script): the file it names
    // is where the file stand-ins would write it.
    std::error_code error;
    if (!std::filesystem::exists(LocalPath(path), error)) {
        return true;
    }
    const auto slash = path.find_last_of(L"/\\");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::wstring text = name + L" already exists.\nDo you want to replace it?";
    return AskToReplace(text) == IDYES;
}

INT_PTR CFileDialog::DoModal()
{
    INT_PTR result = IDCANCEL;
    RunOnUiThread([&] {
        std::optional<std::wstring> chosen;
        if (ScriptModeActive()) {
            std::optional<std::wstring> armed;
            if (TakeSaveAsAnswer(armed) && armed) {
                const std::wstring path = WithDefaultExtension(*armed, m_defaultExtension);
                if (ConfirmOverwrite(path)) chosen = path;
            }
        } else {
            chosen = ChooseInteractively();
        }
        if (chosen) {
            m_path = *chosen;
            result = IDOK;
        }
        const std::string verb = m_open ? "open-file" : "save-as";
        Transcript::Write(verb + " " + (chosen ? Transcript::Quote(*chosen) : std::string("cancel")));
    });
    return result;
}
