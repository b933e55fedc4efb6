#include "platform/ui/CFileDialog.h"

#include "platform/files/WinPath.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <QFileDialog>
#include <filesystem>
#include <optional>

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

std::optional<std::wstring> CFileDialog::ChooseInteractively()
{
    std::optional<std::wstring> chosen;
    QFileDialog dialog(m_parent ? m_parent->GetSafeHwnd() : nullptr);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in the toolkit's words
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_open && (m_flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
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
    return chosen;
}

int CFileDialog::AskToReplace(const std::wstring& text) const
{
    return ShowMessageBoxFor(m_parent, text.c_str(), L"Confirm Save As", MB_YESNO | MB_ICONEXCLAMATION);
}
