#include "app/TunerSignalSource.h"

#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "platform/dshow/BdaInterfaces.h"

bool TunerSignalSource::HasKsCtrl() { return TunerGraph::Process().m_pKsCtrl.Get() != nullptr; }

bool TunerSignalSource::PollStatistics(SignalSample& sample)
{
    GraphMutexLock lock;
    IBaseFilter* tuner = TunerGraph::Process().tuner.Get();
    if (!tuner) return true; // counted as a failed poll
    ComPtr<IBDA_Topology> topology;
    if (FAILED(tuner->QueryInterface(IID_PPV_ARGS(&topology))) || !topology) return false;

    ComPtr<IUnknown> node;
    if (FAILED(topology->GetControlNode(0, 1, 0, &node)) || !node) return true;
    ComPtr<IBDA_SignalStatistics> statistics;
    if (FAILED(node->QueryInterface(IID_PPV_ARGS(&statistics))) || !statistics) return true;

    LONG quality = 0;
    LONG strength = 0;
    BOOLEAN locked = 0;
    if (FAILED(statistics->get_SignalQuality(&quality))) return true;
    // Only the quality read decides; the two after it are taken as they come.
    statistics->get_SignalStrength(&strength);
    statistics->get_SignalLocked(&locked);
    sample.quality = static_cast<BYTE>(quality);
    sample.strength = static_cast<BYTE>(strength);
    sample.locked = static_cast<BYTE>(locked);
    return true;
}

void TunerSignalSource::TouchGraphMutex() { GraphMutexLock lock; }

bool TunerSignalSource::IsUsbTuner() { return ::IsUsbTuner(); }

HRESULT TunerSignalSource::QuerySupported(REFGUID set, ULONG id) { return KsQuerySupported(set, id); }

HRESULT TunerSignalSource::Get(REFGUID set, ULONG id, void* buffer, DWORD size) { return KsGet(set, id, buffer, size); }

HRESULT TunerSignalSource::Set(REFGUID set, ULONG id, void* buffer, DWORD size) { return KsSet(set, id, buffer, size); }
