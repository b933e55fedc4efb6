#include "platform/ui/UiThread.h"

#include "platform/ui/UiThreadWake.h"
#include "platform/ui/win32/UiThreadWindow.h"

#include <atomic>
#include <memory>

namespace {

constexpr UINT kWakeMessage = WM_APP + 1;   // DeliverCarriedCalls
constexpr UINT kPostedMessage = WM_APP + 2; // lParam: a std::function<void()>*
constexpr wchar_t kClassName[] = L"KavroUiThread";

std::atomic<DWORD> uiThreadId{0};
std::atomic<HWND> uiWindow{nullptr};

LRESULT CALLBACK UiThreadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kWakeMessage) {
        DeliverCarriedCalls();
        return 0;
    }
    if (message == kPostedMessage) {
        std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
        try {
            (*fn)();
        } catch (...) {
            // Dropped, as a carried call's exception is.
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool BeginUiThread()
{
    DWORD none = 0;
    if (!uiThreadId.compare_exchange_strong(none, GetCurrentThreadId())) {
        return none == GetCurrentThreadId();
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = UiThreadProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    uiWindow =
        CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    return uiWindow.load() != nullptr;
}

void EndUiThread()
{
    if (!IsUiThread()) return;
    DeliverCarriedCalls();
    if (HWND window = uiWindow.exchange(nullptr)) DestroyWindow(window);
    uiThreadId = 0;
}

bool IsUiThread()
{
    const DWORD id = uiThreadId.load();
    return id != 0 && id == GetCurrentThreadId();
}

bool UiThreadExists() { return uiWindow.load() != nullptr; }

void WakeUiThread()
{
    if (HWND window = uiWindow.load()) PostMessageW(window, kWakeMessage, 0, 0);
}

HWND UiThreadWindow() { return uiWindow.load(); }

bool PostToUiThread(std::function<void()> fn)
{
    HWND window = uiWindow.load();
    if (!window) return false;
    auto* posted = new std::function<void()>(std::move(fn));
    if (!PostMessageW(window, kPostedMessage, 0, reinterpret_cast<LPARAM>(posted))) {
        delete posted;
        return false;
    }
    return true;
}
