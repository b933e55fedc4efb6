#pragma once
// The number of simulator objects alive in the process, for the journal's
// `exit live_objects=N` line: at a clean exit it is 0. Any thread.

namespace runtime {

// Simulator objects alive now.
long SimLiveObjects();

// Counts its owner among the live simulator objects for exactly the owner's
// life: every simulator class holds one as a member.
class SimLiveObject {
public:
    SimLiveObject();
    SimLiveObject(const SimLiveObject&);
    SimLiveObject& operator=(const SimLiveObject&) = default;
    ~SimLiveObject();
};

} // namespace runtime
