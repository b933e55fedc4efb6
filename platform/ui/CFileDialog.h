#pragma once
// The Open and Save As dialogs. The filter is the Windows text
// "Name|pattern;pattern|Name|pattern||"; the default extension is appended to
// a chosen name that has none; OFN_OVERWRITEPROMPT asks before an existing
// file is chosen for saving ("NAME already exists.\nDo you want to replace
// it?", caption "Confirm Save As", Yes/No, exclamation icon), and No returns
// to the dialog; there is never a read-only box, so OFN_HIDEREADONLY holds
// always. In script mode the dialog is not shown: it takes the answer the
// script armed (save-as PATH|cancel), or Cancel; with a transcript open the
// outcome is recorded as `save-as "PATH"` or `save-as cancel`.
// DoModal runs on the UI thread (carried there from other threads).
// On Windows the dialog is the system's (GetOpenFileNameW, GetSaveFileNameW)
// and the OFN_ flags are its own.
#include "platform/ui/WinUser.h"

#include <optional>
#include <string>

#ifdef _WIN32
#include <commdlg.h>
#else
#include <QString>
#include <QStringList>

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
#endif

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr, CWnd* parent = nullptr,
                DWORD size = 0, BOOL vistaStyle = TRUE);

    // IDOK with a path chosen, or IDCANCEL.
    INT_PTR DoModal();
    // The chosen full path; empty before a successful DoModal.
    std::wstring GetPathName() const { return m_path; }
    // The chosen file's name and extension without its folder.
    std::wstring GetFileName() const;

#ifndef _WIN32
    // The Qt name filters for a Windows filter text: "TS Files (*.ts)".
    static QStringList NameFilters(const std::wstring& filter);
#endif
    // path with ".ext" appended when its file name has no extension.
    static std::wstring WithDefaultExtension(const std::wstring& path, const std::wstring& extension);

private:
    bool ConfirmOverwrite(const std::wstring& path) const;
    // The toolkit's own parts: the dialog shown to the user, until a path is
    // chosen (asked about overwriting) or the dialog is cancelled; and the
    // overwrite question's box (IDYES or IDNO).
    std::optional<std::wstring> ChooseInteractively();
    int AskToReplace(const std::wstring& text) const;

    bool m_open;
    std::wstring m_defaultExtension;
    std::wstring m_fileName;
    DWORD m_flags;
    std::wstring m_filter;
    CWnd* m_parent;
    std::wstring m_path;
};
