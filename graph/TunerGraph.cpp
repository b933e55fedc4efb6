#include "graph/TunerGraph.h"

#include "graph/GraphMutex.h"
#include "platform/com/Sync.h"

TunerGraph& TunerGraph::Process()
{
    static TunerGraph record;
    return record;
}

GraphMutexLock::GraphMutexLock()
{
    // A failed wait (no mutex, or a bad handle) leaves nothing to release.
    if (graphMutex && WaitForSingleObject(graphMutex, INFINITE) != WAIT_FAILED) {
        m_mutex = graphMutex;
    }
}

GraphMutexLock::~GraphMutexLock()
{
    if (m_mutex) {
        ReleaseMutex(m_mutex);
    }
}

void ReleaseKsCtrl(TunerGraph& record)
{
    if (!record.m_pKsCtrl) {
        return;
    }
    GraphMutexLock lock;
    record.m_pKsCtrl = nullptr;
}
