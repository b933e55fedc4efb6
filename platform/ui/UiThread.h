#pragma once
// Carrying work to the UI thread. Widgets are touched on the UI thread only
// (the thread of the application object); every toolkit call made on another
// thread is carried there and the calling thread waits until it has run, as a
// Windows SendMessage across threads does. While the UI thread itself waits for
// a worker it must keep delivering those calls, or both wait for ever: use the
// waits below instead of a plain join.
#include "platform/com/WinTypes.h"

#include <functional>

// True on the thread of the application object.
bool IsUiThread();

#ifdef _WIN32
// Makes the calling thread the UI thread: the thread whose hidden message
// window the carried calls are posted to. The application object's
// constructor calls it; a test's main calls it first. False when another
// thread is the UI thread already.
bool BeginUiThread();
// The UI thread is done: carried calls are refused from now on.
void EndUiThread();
#endif

// Runs fn on the UI thread: at once when called there, else queued and waited
// for. Returns false, without running fn, when no application object exists.
// fn must not throw; an exception it lets out is caught and dropped on the UI
// thread, never thrown in the caller.
bool RunOnUiThread(const std::function<void()>& fn);

// UI thread: runs the calls other threads are waiting for. Any thread may call
// it; elsewhere it does nothing.
void DeliverCarriedCalls();

// Waits until done() holds or milliseconds pass (INFINITE: no limit), running
// carried calls meanwhile when called on the UI thread. True when done() held.
bool WaitDelivering(const std::function<bool()>& done, DWORD milliseconds);

// WaitForSingleObject that keeps delivering carried calls on the UI thread:
// the way to take a lock a worker holds while it may be waiting for the UI
// thread (for example a monitor's run lock at shutdown). Same results as
// WaitForSingleObject.
DWORD WaitForSingleObjectDelivering(HANDLE handle, DWORD milliseconds);
