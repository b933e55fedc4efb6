#include "graph/GraphMessageBox.h"

#include "platform/ui/MessageBox.h"

void ErrorBox(HWND owner, LPCWSTR text) { MessageBox(owner, text, L"error", MB_OK); }

void AppWarningBox(LPCWSTR text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }
