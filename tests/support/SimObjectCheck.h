#pragma once
// Whether a rig's test left a simulated object alive: the simulator's live
// objects (runtime::SimLiveObjects) counted when the rig starts and checked
// when it ends, after it has released what it held.
#include "runtime/LiveObjects.h"

#include <gtest/gtest.h>

class SimObjectCheck {
public:
    // Starts counting at construction; a rig may start again in SetUp.
    SimObjectCheck() { Start(); }
    // Counts the objects alive now as the rig's starting point.
    void Start() { m_before = runtime::SimLiveObjects(); }
    // Objects alive beyond the starting point.
    long Extra() const { return runtime::SimLiveObjects() - m_before; }
    void ExpectNoneLeft() const { EXPECT_EQ(0, Extra()) << "simulated objects left alive"; }

private:
    long m_before = 0;
};
