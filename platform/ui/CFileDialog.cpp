#include "platform/ui/CFileDialog.h"

#include "platform/files/WinPath.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/UiThread.h"

#include <QFileDialog>
#include <filesystem>
#include <optional>

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent, DWORD /*size*/, BOOL /*vistaStyle*/)
    : m_open(openFileDialog != FALSE),
      m_defaultExtension(defaultExtension ? defaultExtension : L""),
      m_fileName(fileName ? fileName : L""),
      m_flags(flags),
      m_filter(filter ? filter : L""),
      m_parent(parent)
{}

QStringList CFileDialog::NameFilters(const std::wstring& filter)
{
    const QStringList parts = QString::fromStdWString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        if (name.isEmpty() && patterns.isEmpty()) {
            break; // the "||" that ends the list
        }
        // Qt reads the patterns from the trailing parentheses, so a name that
        // already shows them gets the real ones in their place.
        if (name.endsWith(u')')) {
            const auto open = name.lastIndexOf(u'(');
            if (open >= 0) name = name.left(open).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters;
}

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
    return ShowMessageBoxFor(m_parent, text.c_str(), L"Confirm Save As", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
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
            QFileDialog dialog(m_parent ? m_parent->GetSafeHwnd() : nullptr);
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in the toolkit's words
            dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            dialog.setFileMode(m_open && (m_flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                       : QFileDialog::AnyFile);
            dialog.setWindowTitle(m_open ? QStringLiteral("Open") : QStringLiteral("Save As"));
            const QStringList filters = NameFilters(m_filter);
            if (!filters.isEmpty()) dialog.setNameFilters(filters);
            // The dialog shows Linux folders; the program gets a Windows text back
            // (z:\... for a folder on no other drive, so every folder can be chosen).
            if (!m_fileName.empty()) dialog.selectFile(QString::fromStdString(LocalPath(m_fileName).string()));
            while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
                const std::filesystem::path local = dialog.selectedFiles().front().toStdString();
                const std::wstring path = WithDefaultExtension(WindowsPath(local), m_defaultExtension);
                if (ConfirmOverwrite(path)) {
                    chosen = path;
                    break;
                }
            }
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
