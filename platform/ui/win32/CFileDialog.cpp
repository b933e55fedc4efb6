#include "platform/ui/CFileDialog.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <vector>

std::optional<std::wstring> CFileDialog::ChooseInteractively()
{
    // The filter text with its bars as the system's separators.
    std::wstring filter = m_filter;
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    m_fileName.copy(file.data(), std::min(m_fileName.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_parent ? m_parent->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    // The overwrite question is the toolkit's (ConfirmOverwrite), in its words.
    ofn.Flags = (m_flags & ~static_cast<DWORD>(OFN_OVERWRITEPROMPT)) | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    for (;;) {
        const BOOL accepted = m_open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
        if (!accepted) return std::nullopt;
        const std::wstring path = WithDefaultExtension(file.data(), m_defaultExtension);
        if (ConfirmOverwrite(path)) return path;
    }
}

int CFileDialog::AskToReplace(const std::wstring& text) const
{
    return ::MessageBox(m_parent ? m_parent->GetSafeHwnd() : nullptr, text.c_str(), L"Confirm Save As",
                        MB_YESNO | MB_ICONEXCLAMATION);
}
