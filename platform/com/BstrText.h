#pragma once
// BSTR texts on the C++ side. Any thread.
#include "platform/com/OleAuto.h"

#include <string>
#include <string_view>

// A BSTR's text (empty for null), embedded zeros included.
std::wstring BstrText(BSTR text);
// A new BSTR from a text, freed with SysFreeString; null only when memory runs out.
BSTR BstrFrom(std::wstring_view text);
