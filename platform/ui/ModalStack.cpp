#include "platform/ui/ModalStack.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/UiThread.h"

#include <algorithm>

namespace {

struct ModalState {
    std::vector<CDialog*> running; // innermost last
    bool quitPending = false;
    int quitCode = 0;
};

ModalState& State()
{
    static ModalState state; // UI thread only
    return state;
}

} // namespace

void ModalStack::Push(CDialog* dialog) { State().running.push_back(dialog); }

void ModalStack::Pop(CDialog* dialog)
{
    ModalState& state = State();
    std::erase(state.running, dialog);
    if (state.running.empty()) {
        state.quitPending = false; // every loop the quit reached has ended
    }
}

CDialog* ModalStack::Top()
{
    const ModalState& state = State();
    return state.running.empty() ? nullptr : state.running.back();
}

const std::vector<CDialog*>& ModalStack::All() { return State().running; }

bool ModalStack::QuitPending() { return State().quitPending; }

int ModalStack::QuitCode() { return State().quitCode; }

bool ModalStack::ConsumeQuitForNewRun()
{
    ModalState& state = State();
    if (!state.quitPending) {
        return false;
    }
    if (state.running.empty()) {
        state.quitPending = false;
    }
    return true;
}

void ModalStack::Quit(int exitCode)
{
    ModalState& state = State();
    state.quitPending = true;
    state.quitCode = exitCode;
    // Innermost first, as each loop meets the quit in turn.
    const std::vector<CDialog*> running(state.running.rbegin(), state.running.rend());
    for (CDialog* dialog : running) {
        dialog->EndDialog(-1);
    }
}

#ifndef _WIN32
void PostQuitMessage(int exitCode)
{
    RunOnUiThread([exitCode] { ModalStack::Quit(exitCode); });
}
#endif
