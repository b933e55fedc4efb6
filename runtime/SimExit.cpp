#include "runtime/SimExit.h"

#include "platform/com/Journal.h"
#include "runtime/LiveObjects.h"

#include <string>

namespace runtime {

void SimWriteExitLine() { JournalWrite("exit live_objects=" + std::to_string(SimLiveObjects())); }

} // namespace runtime
