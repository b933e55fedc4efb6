#include "tests/support/ProcessState.h"

#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "process/ChosenDevice.h"
#include "process/ProgramDirectory.h"
#include "process/SignalLocked.h"

void ResetProcessState()
{
    ReleaseTunerGraph();
    TunerGraph& record = TunerGraph::Process();
    record.deviceType = DEVICE_TYPE_UNSUPPORTED;
    record.tuningBlock = TuningBlock{};
    deviceIndex = -1;
    deviceName.clear();
    signalLocked = 0;
    programDirectory.clear();
    ClearComClassRegistry();
    JournalClose();
}
