#include "platform/com/BstrText.h"

std::wstring BstrText(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

BSTR BstrFrom(std::wstring_view text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }
