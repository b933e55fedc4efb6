#include "platform/ui/win32/WindowTags.h"

namespace {

constexpr wchar_t kKindProperty[] = L"Kavro.ControlKind";
constexpr wchar_t kStyleProperty[] = L"Kavro.ControlStyle";
constexpr wchar_t kWindowProperty[] = L"Kavro.CWnd";

} // namespace

void TagControl(HWND control, ControlKind kind, DWORD style)
{
    // Stored one above the kind, so that a missing property (0) reads as none.
    SetPropW(control, kKindProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kind) + 1));
    SetPropW(control, kStyleProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(style)));
}

bool IsTaggedControl(HWND window) { return window && GetPropW(window, kKindProperty) != nullptr; }

ControlKind ControlKindOf(HWND control)
{
    const auto stored = reinterpret_cast<INT_PTR>(GetPropW(control, kKindProperty));
    return stored > 0 ? static_cast<ControlKind>(stored - 1) : ControlKind::Static;
}

DWORD ControlStyleOf(HWND control)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(GetPropW(control, kStyleProperty)));
}

void TagWindow(HWND window, CWnd* wnd) { SetPropW(window, kWindowProperty, reinterpret_cast<HANDLE>(wnd)); }

void UntagWindow(HWND window)
{
    RemovePropW(window, kWindowProperty);
    RemovePropW(window, kKindProperty);
    RemovePropW(window, kStyleProperty);
}

CWnd* WindowOf(HWND window) { return window ? reinterpret_cast<CWnd*>(GetPropW(window, kWindowProperty)) : nullptr; }
