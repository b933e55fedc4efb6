#include "sim/graph/GraphClasses.h"

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "sim/graph/FilterGraph.h"
#include "sim/graph/InfTee.h"
#include "sim/graph/Mpeg2Demultiplexer.h"
#include "sim/graph/SystemClock.h"

void RegisterGraphClasses()
{
    RegisterComClass(CLSID_FilterGraph, &FilterGraph::CreateInstance);
    RegisterComClass(CLSID_SystemClock, &SystemClock::CreateInstance);
    RegisterComClass(CLSID_InfTee, &InfTee::CreateInstance);
    RegisterComClass(CLSID_MPEG2Demultiplexer, &Mpeg2Demultiplexer::CreateInstance);
}
