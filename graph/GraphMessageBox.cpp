#include "graph/GraphMessageBox.h"

#include <mutex>
#include <utility>

namespace {

std::mutex g_receiverLock;
GraphMessageReceiver g_receiver;

void Deliver(HWND owner, LPCWSTR text, bool applicationTitled)
{
    GraphMessageReceiver receiver;
    {
        std::lock_guard lock(g_receiverLock);
        receiver = g_receiver;
    }
    if (receiver) {
        receiver(owner, text ? text : L"", applicationTitled);
    }
}

} // namespace

void ErrorBox(HWND owner, LPCWSTR text) { Deliver(owner, text, false); }

void AppWarningBox(LPCWSTR text) { Deliver(nullptr, text, true); }

void SetGraphMessageReceiver(GraphMessageReceiver receiver)
{
    std::lock_guard lock(g_receiverLock);
    g_receiver = std::move(receiver);
}
