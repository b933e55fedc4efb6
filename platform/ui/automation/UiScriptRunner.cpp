#include "platform/ui/automation/UiScriptRunner.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ControlKindName.h"
#include "platform/ui/DeviceChange.h"
#include "platform/ui/KeyRouter.h"
#include "platform/ui/ModalStack.h"
#include "platform/com/WideText.h"
#include "platform/ui/automation/ScriptControls.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

#include <algorithm>

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

std::string Flag(bool value) { return value ? "1" : "0"; }

bool IsButton(ControlKind kind)
{
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// Why a user could not act on the control, or "" when they could.
std::string Unusable(const UiScriptCommand& command, HWND widget)
{
    const std::string id = std::to_string(command.id);
    if (!Shown(widget)) return "control " + id + " is hidden";
    if (!Usable(widget)) return "control " + id + " is disabled";
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
    HWND widget = nullptr;
    if (command.hasId && window) {
        control = FindControl(window, command.id);
        widget = control ? control->GetSafeHwnd() : nullptr;
        if (!widget) {
            Fail(command.line, "no control " + id);
            return;
        }
    }
    const ControlKind kind = widget ? LookAt(widget).kind : ControlKind::Static;

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
        FocusControl(widget, FocusCause::Mouse);
        if (LookAt(widget).style & LBS_NOTIFY) Notify(control, LBN_DBLCLK);
        return;
    }
    case Verb::Text: {
        const std::wstring text = FromUtf8(command.text);
        const TextEntry entry = TextEntryOf(widget);
        if (entry == TextEntry::None) return Fail(command.line, "control " + id + " is not an edit field");
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        if (entry == TextEntry::ReadOnly) return Fail(command.line, "control " + id + " is read-only");
        if (entry == TextEntry::Digits &&
            !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
            return Fail(command.line, "control " + id + " takes digits only");
        }
        ScheduleStep(0);
        FocusControl(widget, FocusCause::Other);
        TypeText(*control, text); // EN_CHANGE or CBN_EDITCHANGE follows, as typing gives it
        return;
    }
    case Verb::Select:
    case Verb::Pick: {
        if (kind != ControlKind::ListBox && kind != ControlKind::ComboBox) {
            return Fail(command.line, "control " + id + " is not a list or combo box");
        }
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        const std::vector<std::wstring> items = LookAt(widget).items;
        long long index = command.number;
        if (command.verb == Verb::Pick) {
            const auto at = std::find(items.begin(), items.end(), FromUtf8(command.text));
            index = at == items.end() ? -1 : at - items.begin();
            if (index < 0)
                return Fail(command.line, "control " + id + " has no item " + Transcript::Quote(command.text));
        } else if (index < -1 || index >= static_cast<long long>(items.size())) {
            return Fail(command.line, "control " + id + " has no item " + std::to_string(index));
        }
        ScheduleStep(0);
        FocusControl(widget, FocusCause::Mouse);
        if (auto* list = dynamic_cast<CListBox*>(control)) {
            list->SetCurSel(static_cast<int>(index));
            if (LookAt(widget).style & LBS_NOTIFY) Notify(control, LBN_SELCHANGE);
        } else if (auto* box = dynamic_cast<CComboBox*>(control)) {
            box->SetCurSel(static_cast<int>(index));
            Notify(control, CBN_SELCHANGE);
        }
        return;
    }
    case Verb::Focus: {
        if (auto why = Unusable(command, widget); !why.empty()) return Fail(command.line, why);
        ScheduleStep(0);
        FocusControl(widget, FocusCause::Tab);
        return;
    }
    case Verb::Key: {
        HWND target = KeyTargetOf(*window, ShownPage(window));
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
        ArmSaveAsAnswer(command.cancel ? std::nullopt : std::optional<std::wstring>(FromUtf8(command.text)));
        ScheduleStep(0);
        return;
    }
    case Verb::SysCommand:
        ScheduleStep(0);
        window->OnSysCommand(static_cast<UINT>(command.number), 0);
        return;
    case Verb::Help: {
        HWND target = KeyTargetOf(*window, ShownPage(window));
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
    const std::wstring shown = LookAt(control->GetSafeHwnd()).text;
    if (shown == FromUtf8(command.text)) {
        ScheduleStep(0);
        return;
    }
    if (waitedMs >= command.number) {
        Fail(command.line,
             "control " + std::to_string(command.id) + " shows " + Transcript::Quote(shown) + " after " +
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
        HWND widget = control ? control->GetSafeHwnd() : nullptr;
        if (!widget) continue;
        const ControlLook look = LookAt(widget);
        const ControlKind kind = look.kind;
        const int id = control->GetDlgCtrlID();
        std::string line = "control " + std::to_string(id) + " " + ControlKindName(kind) + " " +
            Transcript::Quote(look.text) + " enabled=" + Flag(look.enabled) + " visible=" + Flag(look.visible);
        if (IsButton(kind)) {
            line += " checked=" + Flag(look.checked);
        }
        if (kind == ControlKind::Progress) {
            line += " pos=" + std::to_string(look.pos) + " range=" + std::to_string(look.lower) + ".." +
                std::to_string(look.upper);
        }
        const bool listLike = kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
        if (listLike) {
            line += " sel=" + std::to_string(look.selection) + " count=" + std::to_string(look.items.size());
        }
        Transcript::Write(line);
        for (size_t i = 0; listLike && i < look.items.size(); ++i) {
            Transcript::Write("item " + std::to_string(id) + " " + std::to_string(i) + " " +
                              Transcript::Quote(look.items[i]));
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
