#include "platform/ui/automation/UiScriptRunner.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ControlWidget.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/KeyRouter.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QValidator>
#include <QWidget>

namespace {

using Verb = UiScriptCommand::Verb;

constexpr int kWindowPatienceMs = 5000; // how long a command waits for a window to appear
constexpr int kPollMs = 10;

CWnd* ActiveWindow()
{
    if (CDialog* top = ModalStack::Top(); top && top->GetSafeHwnd()) {
        return top;
    }
    CWnd* main = AfxGetMainWnd();
    return main && main->GetSafeHwnd() ? main : nullptr;
}

CPropertySheet* SheetOf(CWnd* window)
{
    for (CWnd* child : window->ChildWindows()) {
        if (auto* sheet = dynamic_cast<CPropertySheet*>(child); sheet && sheet->GetSafeHwnd()) {
            return sheet;
        }
    }
    return nullptr;
}

CPropertyPage* ShownPage(CWnd* window)
{
    CPropertySheet* sheet = SheetOf(window);
    CPropertyPage* page = sheet ? sheet->GetActivePage() : nullptr;
    return page && page->GetSafeHwnd() ? page : nullptr;
}

CWnd* FindControl(CWnd* window, int id)
{
    if (CPropertyPage* page = ShownPage(window)) {
        if (CWnd* control = page->GetDlgItem(id)) return control;
    }
    return window->GetDlgItem(id);
}

// Where a key goes: the window's focused control, else the shown page's
// first control that takes the focus, else the window itself.
QWidget* KeyTarget(CWnd* window)
{
    QWidget* top = window->GetSafeHwnd();
    if (QWidget* focus = top->focusWidget(); focus && focus->isVisibleTo(top) && focus->isEnabled()) {
        return focus;
    }
    if (CPropertyPage* page = ShownPage(window)) {
        for (const auto& control : page->Controls()) {
            QWidget* widget = control->GetSafeHwnd();
            if (widget && widget->isEnabled() && widget->isVisibleTo(top) && (widget->focusPolicy() & Qt::TabFocus)) {
                return widget;
            }
        }
        return page->GetSafeHwnd();
    }
    return top;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

bool IsButton(ControlKind kind)
{
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// Why a user could not act on the control, or "" when they could.
std::string Unusable(const UiScriptCommand& command, QWidget* widget)
{
    const std::string id = std::to_string(command.id);
    if (!widget->isVisibleTo(widget->window())) return "control " + id + " is hidden";
    if (!widget->isEnabled()) return "control " + id + " is disabled";
    return {};
}

void Notify(CWnd* control, UINT code)
{
    if (CWnd* owner = control->GetParent()) owner->SendCommand(static_cast<UINT>(control->GetDlgCtrlID()), code);
}

} // namespace

UiScriptRunner::UiScriptRunner(std::vector<UiScriptCommand> commands)
    : m_commands(std::move(commands)),
      m_timers(std::make_unique<ScriptTimers>())
{
    SetScriptModeActive(true);
}

UiScriptRunner::~UiScriptRunner()
{
    m_timers.reset();
    SetScriptModeActive(false);
}

void UiScriptRunner::Start() { ScheduleStep(0); }

void UiScriptRunner::FailAtStart(const std::string& reason) { Fail(0, reason); }

void UiScriptRunner::ReportUnfinished()
{
    if (m_finished) return;
    if (m_next >= m_commands.size()) {
        // The last command ended the program before the next turn came.
        Finish();
        return;
    }
    Fail(m_commands[m_next].line, "the program ended before this command");
}

void UiScriptRunner::ScheduleStep(int milliseconds)
{
    m_timers->After(milliseconds, [this] { Step(); });
}

void UiScriptRunner::Step()
{
    if (m_finished) return;
    if (m_next >= m_commands.size()) {
        Finish();
        return;
    }
    const UiScriptCommand& command = m_commands[m_next];
    if (!command.error.empty()) {
        Fail(command.line, command.error);
        return;
    }
    const bool needsWindow =
        command.verb != Verb::Wait && command.verb != Verb::SaveAs && command.verb != Verb::DeviceRemoval;
    if (needsWindow && !ActiveWindow()) {
        // Between two dialogs the program may be busy without a window.
        if (m_waitedForWindowMs >= kWindowPatienceMs) {
            Fail(command.line, "no window is open");
            return;
        }
        m_waitedForWindowMs += kPollMs;
        ScheduleStep(kPollMs);
        return;
    }
    m_waitedForWindowMs = 0;
    ++m_next;
    Execute(command);
}

void UiScriptRunner::Execute(const UiScriptCommand& command)
{
    CWnd* window = ActiveWindow();
    const std::string id = std::to_string(command.id);
    CWnd* control = nullptr;
    QWidget* widget = nullptr;
    if (command.hasId && window) {
        control = FindControl(window, command.id);
        widget = control ? control->GetSafeHwnd() : nullptr;
        if (!widget) {
            Fail(command.line, "no control " + id);
            return;
        }
    }
    const ControlKind kind = widget ? ControlKindOf(widget) : ControlKind::Static;

    // Each command is checked first; the next step is scheduled before the
    // action, which may run a modal dialog whose loop then carries the script.
    switch (command.verb) {
    case Verb::Click: {
        if (!IsButton(kind)) return Fail(command.line, "control " + id + " is not a button");
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        ScheduleStep(0);
        static_cast<CButton*>(control)->Click();
        return;
    }
    case Verb::DblClick: {
        if (kind != ControlKind::ListBox) return Fail(command.line, "control " + id + " is not a list");
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        ScheduleStep(0);
        widget->setFocus(Qt::MouseFocusReason);
        if (ControlStyleOf(widget) & LBS_NOTIFY) Notify(control, LBN_DBLCLK);
        return;
    }
    case Verb::Text: {
        const QString text = QString::fromStdString(command.text);
        auto* edit = qobject_cast<QLineEdit*>(widget);
        auto* combo = qobject_cast<QComboBox*>(widget);
        if (!edit && !(combo && combo->isEditable()))
            return Fail(command.line, "control " + id + " is not an edit field");
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        if (edit && edit->isReadOnly()) return Fail(command.line, "control " + id + " is read-only");
        if (edit && edit->validator()) {
            QString probe = text;
            int at = 0;
            if (edit->validator()->validate(probe, at) == QValidator::Invalid) {
                return Fail(command.line, "control " + id + " takes digits only");
            }
        }
        ScheduleStep(0);
        widget->setFocus(Qt::OtherFocusReason);
        if (edit) {
            edit->setText(text); // EN_CHANGE follows, as typing gives it
        } else {
            combo->setEditText(text);
            Notify(control, CBN_EDITCHANGE);
        }
        return;
    }
    case Verb::Select:
    case Verb::Pick: {
        if (kind != ControlKind::ListBox && kind != ControlKind::ComboBox) {
            return Fail(command.line, "control " + id + " is not a list or combo box");
        }
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        const QStringList items = ControlItems(widget);
        long long index = command.number;
        if (command.verb == Verb::Pick) {
            index = items.indexOf(QString::fromStdString(command.text));
            if (index < 0)
                return Fail(command.line, "control " + id + " has no item " + Transcript::Quote(command.text));
        } else if (index < -1 || index >= items.size()) {
            return Fail(command.line, "control " + id + " has no item " + std::to_string(index));
        }
        ScheduleStep(0);
        widget->setFocus(Qt::MouseFocusReason);
        if (auto* list = dynamic_cast<CListBox*>(control)) {
            list->SetCurSel(static_cast<int>(index));
            if (ControlStyleOf(widget) & LBS_NOTIFY) Notify(control, LBN_SELCHANGE);
        } else if (auto* box = dynamic_cast<CComboBox*>(control)) {
            box->SetCurSel(static_cast<int>(index));
            Notify(control, CBN_SELCHANGE);
        }
        return;
    }
    case Verb::Focus: {
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        ScheduleStep(0);
        widget->setFocus(Qt::TabFocusReason);
        return;
    }
    case Verb::Key: {
        QWidget* target = KeyTarget(window);
        ScheduleStep(0);
        RouteKeyPress(target, command.text == "enter" ? VK_RETURN : VK_ESCAPE);
        return;
    }
    case Verb::Page: {
        CPropertySheet* sheet = SheetOf(window);
        if (!sheet) return Fail(command.line, "the window has no pages");
        if (command.number < 0 || command.number >= sheet->GetPageCount()) {
            return Fail(command.line, "no page " + std::to_string(command.number));
        }
        ScheduleStep(0);
        sheet->SetActivePage(static_cast<int>(command.number));
        return;
    }
    case Verb::Wait:
        ScheduleStep(static_cast<int>(std::min<long long>(command.number, 24LL * 3600 * 1000)));
        return;
    case Verb::WaitText:
        WaitForText(command, 0);
        return;
    case Verb::SaveAs: {
        ArmSaveAsAnswer(command.cancel
                            ? std::nullopt
                            : std::optional<std::wstring>(QString::fromStdString(command.text).toStdWString()));
        ScheduleStep(0);
        return;
    }
    case Verb::SysCommand:
        ScheduleStep(0);
        window->OnSysCommand(static_cast<UINT>(command.number), 0);
        return;
    case Verb::Help: {
        QWidget* target = KeyTarget(window);
        ScheduleStep(0);
        RouteHelpRequest(target);
        return;
    }
    case Verb::DeviceRemoval:
        ScheduleStep(0);
        BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0);
        return;
    case Verb::Close:
        ScheduleStep(0);
        window->OnSysCommand(SC_CLOSE, 0);
        return;
    case Verb::Dump:
        Dump(window, command);
        ScheduleStep(0);
        return;
    case Verb::Invalid:
        break;
    }
    Fail(command.line, "unknown command");
}

void UiScriptRunner::WaitForText(const UiScriptCommand& command, long long waitedMs)
{
    CWnd* window = ActiveWindow();
    CWnd* control = window ? FindControl(window, command.id) : nullptr;
    if (!control) {
        Fail(command.line, "no control " + std::to_string(command.id));
        return;
    }
    const QString shown = ControlText(control->GetSafeHwnd());
    if (shown == QString::fromStdString(command.text)) {
        ScheduleStep(0);
        return;
    }
    if (waitedMs >= command.number) {
        Fail(command.line,
             "control " + std::to_string(command.id) + " shows " + Transcript::Quote(shown.toStdWString()) + " after " +
                 std::to_string(command.number) + " ms");
        return;
    }
    const UiScriptCommand copy = command;
    m_timers->After(kPollMs, [this, copy, waitedMs] { WaitForText(copy, waitedMs + kPollMs); });
}

void UiScriptRunner::Dump(CWnd* window, const UiScriptCommand& command)
{
    std::vector<CWnd*> controls;
    if (command.hasId) {
        controls.push_back(FindControl(window, command.id));
    } else {
        if (CPropertyPage* page = ShownPage(window)) {
            for (const auto& control : page->Controls()) controls.push_back(control.get());
        }
        for (const auto& control : window->Controls()) controls.push_back(control.get());
    }
    for (CWnd* control : controls) {
        QWidget* widget = control ? control->GetSafeHwnd() : nullptr;
        if (!widget) continue;
        const ControlKind kind = ControlKindOf(widget);
        const int id = control->GetDlgCtrlID();
        std::string line = "control " + std::to_string(id) + " " + ControlKindName(kind) + " " +
            Transcript::Quote(ControlText(widget).toStdWString()) +
            " enabled=" + Flag(widget->isEnabledTo(widget->window())) +
            " visible=" + Flag(widget->isVisibleTo(widget->window()));
        if (IsButton(kind)) {
            line += " checked=" + Flag(static_cast<QAbstractButton*>(widget)->isChecked());
        }
        if (kind == ControlKind::Progress) {
            const auto* bar = static_cast<QProgressBar*>(widget);
            line += " pos=" + std::to_string(bar->value()) + " range=" + std::to_string(bar->minimum()) + ".." +
                std::to_string(bar->maximum());
        }
        const bool listLike = kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
        const QStringList items = listLike ? ControlItems(widget) : QStringList();
        if (listLike) {
            line += " sel=" + std::to_string(ControlSelection(widget)) + " count=" + std::to_string(items.size());
        }
        Transcript::Write(line);
        for (qsizetype i = 0; i < items.size(); ++i) {
            Transcript::Write("item " + std::to_string(id) + " " + std::to_string(i) + " " +
                              Transcript::Quote(items[i].toStdWString()));
        }
    }
}

void UiScriptRunner::Fail(int line, const std::string& reason)
{
    if (m_finished) return;
    Transcript::Write("error " + std::to_string(line) + " " + Transcript::Quote(reason));
    m_finished = true;
    m_failed = true;
    CloseProgram();
}

void UiScriptRunner::Finish()
{
    Transcript::Write("done");
    m_finished = true;
    CloseProgram();
}

void UiScriptRunner::CloseProgram()
{
    // As the user would: the close command to the innermost dialog, again and
    // again, until none is left. A dialog that refuses for long is ended.
    m_timers->Every(20, [this] {
        CDialog* top = ModalStack::Top();
        if (!top || top->IsEnding()) {
            m_closing = nullptr;
            return;
        }
        if (top != m_closing) {
            m_closing = top;
            m_closeAttempts = 0;
        }
        if (++m_closeAttempts > 100) {
            top->EndDialog(IDCANCEL);
            return;
        }
        top->OnSysCommand(SC_CLOSE, 0);
    });
}
