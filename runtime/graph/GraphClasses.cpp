#include "runtime/graph/GraphClasses.h"

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "runtime/graph/FilterGraph.h"
#include "runtime/graph/InfTee.h"
#include "runtime/graph/Mpeg2Demultiplexer.h"
#include "runtime/graph/SystemClock.h"

namespace runtime {

void RegisterGraphClasses()
{
    RegisterComClass(CLSID_FilterGraph, &FilterGraph::CreateInstance);
    RegisterComClass(CLSID_SystemClock, &SystemClock::CreateInstance);
    RegisterComClass(CLSID_InfTee, &InfTee::CreateInstance);
    RegisterComClass(CLSID_MPEG2Demultiplexer, &Mpeg2Demultiplexer::CreateInstance);
}

} // namespace runtime
