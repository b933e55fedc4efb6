// The Windows tests run in the test run's Wine session (cmake/wine-session.sh):
// on its display a window exists and is shown, which the dialogs' tests and the
// whole program need; without a display Wine makes no window at all.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(WineSession, AWindowIsMadeAndShownOnTheDisplay)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"Kavro-TScap", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window) << "no window: error " << GetLastError();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT client{};
    EXPECT_TRUE(GetClientRect(window, &client));
    EXPECT_GT(client.right, 0);
    EXPECT_TRUE(DestroyWindow(window));
}

} // namespace
