#include "runtime/LiveObjects.h"

#include <atomic>

namespace runtime {

namespace {
// Process-wide by nature: objects of every thread and every graph count here.
std::atomic<long> g_liveObjects{0};
} // namespace

long SimLiveObjects() { return g_liveObjects.load(); }

SimLiveObject::SimLiveObject() { ++g_liveObjects; }
SimLiveObject::SimLiveObject(const SimLiveObject&) { ++g_liveObjects; }
SimLiveObject::~SimLiveObject() { --g_liveObjects; }

} // namespace runtime
