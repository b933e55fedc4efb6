#pragma once
// tuneCount: how many tune requests the program has submitted, 0 at start. The
// Tuner Setting page counts each submission; the signal monitor reads it to raise
// a failure box it has already shown again after a new tune. Any thread.
#include <atomic>

extern std::atomic<unsigned> tuneCount;
