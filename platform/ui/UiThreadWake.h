#pragma once
// What carrying calls to the UI thread (UiThread.cpp) asks of the toolkit:
// whether a UI thread exists, and waking it so that it runs
// DeliverCarriedCalls from its event loop. Any thread.

// True while the application object (Qt) or the UI thread's message window
// (Windows) exists.
bool UiThreadExists();
// Queues a DeliverCarriedCalls on the UI thread's event loop.
void WakeUiThread();
