#include "platform/ui/automation/ScriptTimers.h"

#include "platform/ui/WinUser.h"

#include <map>

// The timers are window timers of a hidden message window of the UI thread,
// so that every message loop there (the modal dialogs') steps the script. A
// step for the next turn of the loop is a posted message instead: the system
// makes WM_TIMER only when the queue is otherwise empty and never sooner than
// its minimum period, so a program busy from its first turn on would end before
// the step came, where the Qt toolkit's zero timer runs on that first turn.

namespace {
constexpr wchar_t kTimersClassName[] = L"KavroScriptTimers";
constexpr UINT kNextTurn = WM_APP + 1; // wParam: the timer's id
} // namespace

struct ScriptTimers::State {
    struct Timer {
        std::function<void()> fn;
        bool repeat = false;
    };

    HWND window = nullptr;
    UINT_PTR nextId = 1;
    std::map<UINT_PTR, Timer> timers;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if ((message != WM_TIMER && message != kNextTurn) || !state) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        const auto it = state->timers.find(wParam);
        if (it == state->timers.end()) {
            KillTimer(window, wParam);
            return 0;
        }
        std::function<void()> fn = it->second.fn; // a copy: fn may add timers or end the runner
        if (!it->second.repeat) {
            KillTimer(window, wParam);
            state->timers.erase(it);
        }
        try {
            fn();
        } catch (...) {
            // The script's step stops here, at the system's boundary.
        }
        return 0;
    }

    void Add(int milliseconds, std::function<void()> fn, bool repeat)
    {
        if (!window) return;
        const UINT_PTR id = nextId++;
        timers[id] = Timer{std::move(fn), repeat};
        if (milliseconds <= 0 && !repeat && PostMessageW(window, kNextTurn, id, 0)) return;
        ::SetTimer(window, id, static_cast<UINT>(milliseconds > 0 ? milliseconds : USER_TIMER_MINIMUM), nullptr);
    }
};

ScriptTimers::ScriptTimers() : m_state(std::make_unique<State>())
{
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = State::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kTimersClassName;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    m_state->window = CreateWindowExW(0, kTimersClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    if (m_state->window) SetWindowLongPtrW(m_state->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_state.get()));
}

ScriptTimers::~ScriptTimers()
{
    if (m_state->window) {
        SetWindowLongPtrW(m_state->window, GWLP_USERDATA, 0);
        DestroyWindow(m_state->window);
    }
}

void ScriptTimers::After(int milliseconds, std::function<void()> fn)
{
    m_state->Add(milliseconds, std::move(fn), false);
}

void ScriptTimers::Every(int milliseconds, std::function<void()> fn)
{
    m_state->Add(milliseconds, std::move(fn), true);
}
