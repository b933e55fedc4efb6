#pragma once
// The signal source of the running program: TunerGraph's tuner filter, its
// broadcast topology and signal statistics, graphMutex and m_pKsCtrl.
// Monitor thread (and the user-interface thread for "Apply"); it holds no
// reference between calls, so the graph's teardown finds nothing of it.
#include "app/SignalSource.h"

class TunerSignalSource final : public SignalSource {
public:
    bool HasKsCtrl() override;
    bool PollStatistics(SignalSample& sample) override;
    void TouchGraphMutex() override;
    bool IsUsbTuner() override;
    HRESULT QuerySupported(REFGUID set, ULONG id) override;
    HRESULT Get(REFGUID set, ULONG id, void* buffer, DWORD size) override;
    HRESULT Set(REFGUID set, ULONG id, void* buffer, DWORD size) override;
};
