#include "platform/ui/MessageBox.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBoxRules.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/UiThread.h"

#include <QMessageBox>
#include <QPushButton>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

QMessageBox::Icon QtIcon(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons of a box type with their results, first button first.
std::vector<std::pair<const char*, int>> Buttons(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
    case MB_YESNO:
        return {{"&Yes", IDYES}, {"&No", IDNO}};
    case MB_RETRYCANCEL:
        return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    default:
        return {{"OK", IDOK}};
    }
}

// Escape answers Cancel where there is one, else OK for a lone OK button.
int EscapeResult(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

int ShowOnUiThread(QWidget* owner, const QString& text, const QString& caption, UINT type)
{
    if (const std::optional<int> answer = AnswerWithoutShowing(caption.toStdWString(), text.toStdWString(), type)) {
        return *answer;
    }
    const auto buttons = Buttons(type);
    QMessageBox box(QtIcon(type), caption, text, QMessageBox::NoButton, owner ? owner->window() : nullptr);
    std::vector<std::pair<QPushButton*, int>> made;
    for (const auto& [label, result] : buttons) {
        made.emplace_back(box.addButton(QString::fromLatin1(label), QMessageBox::AcceptRole), result);
    }
    box.setDefaultButton(made.front().first);
    const int escape = EscapeResult(type);
    for (const auto& [button, result] : made) {
        if (result == escape) box.setEscapeButton(button);
    }
    box.exec();
    for (const auto& [button, result] : made) {
        if (box.clickedButton() == button) return result;
    }
    // Closed without a button (the close box, or a test closing it): the
    // Escape answer, else the first button.
    return escape ? escape : buttons.front().second;
}

std::wstring OrEmpty(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

} // namespace

int ShowMessageBoxFor(const CWnd* owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    const QString qtext = QString::fromStdWString(OrEmpty(text));
    const QString qcaption = QString::fromStdWString(OrEmpty(caption));
    int result = IDCANCEL;
    const bool ran = RunOnUiThread([&] {
        QWidget* widget = owner ? owner->GetSafeHwnd() : nullptr;
        result = ShowOnUiThread(widget, qtext, qcaption, type);
    });
    return ran ? result : IDCANCEL;
}

int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    const std::wstring title = caption ? std::wstring(caption) : std::wstring(L"Error");
    const QString qtext = QString::fromStdWString(OrEmpty(text));
    const QString qcaption = QString::fromStdWString(title);
    int result = IDCANCEL;
    // The owner handle is only looked at on the UI thread, where it lives.
    const bool ran = RunOnUiThread([&] { result = ShowOnUiThread(owner, qtext, qcaption, type); });
    return ran ? result : IDCANCEL;
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT /*helpId*/)
{
    type = AppMessageBoxType(type);
    const std::wstring title = AfxGetAppName();
    int result = IDCANCEL;
    const bool ran = RunOnUiThread([&] {
        const CWnd* owner = ModalStack::Top();
        if (!owner) owner = AfxGetMainWnd();
        QWidget* widget = owner ? owner->GetSafeHwnd() : nullptr;
        result = ShowOnUiThread(widget, QString::fromStdWString(OrEmpty(text)), QString::fromStdWString(title), type);
    });
    return ran ? result : IDCANCEL;
}
