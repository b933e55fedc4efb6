#pragma once
// The modal dialogs now running, innermost last, and the quit request that
// ends them. A script's commands act on the innermost one. UI thread only.
#include <vector>

class CDialog;

class ModalStack {
public:
    static void Push(CDialog* dialog);
    static void Pop(CDialog* dialog);
    // The innermost running modal dialog, or nullptr.
    static CDialog* Top();
    static const std::vector<CDialog*>& All();

    // True from PostQuitMessage until every modal loop running then has ended,
    // or, when none ran, until the next modal run has consumed it.
    static bool QuitPending();
    static int QuitCode();
    // The next DoModal takes a pending quit: it returns -1 at once.
    static bool ConsumeQuitForNewRun();
    // What a quit does on the UI thread: every running modal loop ends with
    // -1, innermost first; with none running, the next modal run ends at once.
    static void Quit(int exitCode);
};

#ifndef _WIN32
// Ends every running modal loop with -1, innermost first, as WM_QUIT does; with
// none running, the next modal run ends at once. Any thread. On Windows it is
// the system's: the toolkit's modal loop meets the WM_QUIT and quits the same way.
void PostQuitMessage(int exitCode);
#endif
