#include "tests/platform/ui/ToolkitProbe.h"

#ifdef _WIN32
#include "platform/ui/win32/UiThreadWindow.h"
#include "platform/ui/win32/WindowMessages.h"
#include "platform/ui/win32/WindowTags.h"

#include <string_view>
#else
#include "platform/ui/ControlWidget.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#endif

#ifdef _WIN32

bool ToolkitWindowsLeft()
{
    // Shown or hidden top-level windows of this thread; message-only windows
    // (the UI thread's, the script's timers) are no top-level windows.
    bool left = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            // The IME windows the system keeps for each thread are not the toolkit's.
            if (std::wstring_view(name) == L"IME" || std::wstring_view(name) == L"MSCTFIME UI") return TRUE;
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&left));
    return left;
}

int FocusedControlId(HWND /*window*/)
{
    HWND focus = GetFocus();
    if (!focus) return -1;
    // The edit inside a combo box stands for the combo.
    if (!IsTaggedControl(focus) && IsTaggedControl(GetParent(focus))) focus = GetParent(focus);
    return IsTaggedControl(focus) ? GetDlgCtrlID(focus) : 0;
}

bool FocusWithin(HWND window)
{
    HWND focus = GetFocus();
    return focus && (focus == window || IsChild(window, focus));
}

void PressKey(HWND target, WPARAM virtualKey)
{
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = virtualKey;
    if (!WindowMessages::PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void RunLater(std::function<void()> fn) { PostToUiThread(std::move(fn)); }

HWND MakeHolderWindow()
{
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void DestroyHolderWindow(HWND window) { DestroyWindow(window); }

#else

bool ToolkitWindowsLeft() { return !QApplication::topLevelWidgets().isEmpty(); }

int FocusedControlId(HWND window)
{
    QWidget* focus = window->window()->focusWidget();
    if (!focus) return -1;
    return IsControl(focus) ? ControlIdOf(focus) : 0;
}

bool FocusWithin(HWND window)
{
    QWidget* focus = window->window()->focusWidget();
    return focus && (focus == window || window->isAncestorOf(focus));
}

void PressKey(HWND target, WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_RETURN:
        QTest::keyClick(target, Qt::Key_Return);
        break;
    case VK_ESCAPE:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
    case VK_F1:
        QTest::keyClick(target, Qt::Key_F1);
        break;
    default:
        break;
    }
}

void RunLater(std::function<void()> fn) { QTimer::singleShot(0, std::move(fn)); }

HWND MakeHolderWindow() { return new QWidget; }

void DestroyHolderWindow(HWND window) { delete window; }

#endif
