#pragma once
// TunerGraph: the one process-wide record of everything the program holds of
// the tuner's media graph, the driver's property-set interface, the model code
// of the chosen device and the tuning block.
//
// graphMutex itself is the start-up's (graph/GraphMutex.h); GraphMutexLock
// takes it.
//
// Ownership: every interface field is a counted reference held by the record
// (null when absent). The build (BuildTunerGraph) fills the graph fields; the
// Tuner Setting page obtains m_pKsCtrl right after (ObtainKsCtrl). The two
// teardowns (DestroyTunerGraph, ReleaseTunerGraph) release them in their
// fixed orders.
//
// Threads: the user-interface thread builds, tunes and tears down. The monitor
// thread reads `tuner` and uses m_pKsCtrl while the graph exists; it starts
// after the build and is joined before the teardown. graphMutex is taken
// around the monitor's signal poll, the tune submission and every release of
// m_pKsCtrl (GraphMutexLock).
#include "graph/DeviceClassification.h"
#include "platform/com/ComPtr.h"
#include "platform/com/WinTypes.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/dshow/KsPropertySet.h"
#include "platform/dshow/TuningInterfaces.h"
#include "platform/driver/KavroProperties.h"
#include "sink/CDestFilter.h"

struct TunerGraph {
    ComPtr<IGraphBuilder> graph;               // filter graph manager, released last
    ComPtr<IMediaControl> mediaControl;        // run and stop of the graph
    ComPtr<IBaseFilter> networkProvider;       // DVB-S network provider, "Network DVBS Provider"
    ComPtr<ITuningSpace> tuningSpace;          // the "helvane dvb-s" tuning space
    ComPtr<IBaseFilter> tuner;                 // the chosen broadcast network tuner
    ComPtr<IBaseFilter> capture;               // the receiver component behind the tuner
    ComPtr<IBaseFilter> demultiplexer;         // "MPEG2 Demultiplexer"
    ComPtr<IBaseFilter> tee;                   // "Infinite pin tee splitter"
    ComPtr<IBaseFilter> transportInformation;  // "transport information filter"
    ComPtr<CDestFilter> sink;                  // "Dest Filter", the recorder's sink
    ComPtr<IKsPropertySet> m_pKsCtrl;          // the driver's property sets (ObtainKsCtrl)
    LONG deviceType = DEVICE_TYPE_UNSUPPORTED; // ClassifyDevice of the chosen device
    TuningBlock tuningBlock{};                 // all zero at start; filled by the Tuner Setting page

    // The process's record, created on first use and kept for the whole run.
    static TunerGraph& Process();
};

// Holds graphMutex for a scope, waiting without time limit. Before start-up
// has created the mutex there is nothing to wait for.
class GraphMutexLock {
public:
    GraphMutexLock();
    ~GraphMutexLock();
    GraphMutexLock(const GraphMutexLock&) = delete;
    GraphMutexLock& operator=(const GraphMutexLock&) = delete;

private:
    HANDLE m_mutex = nullptr;
};

// Releases and clears m_pKsCtrl while holding graphMutex; nothing when it is
// not held. User-interface thread.
void ReleaseKsCtrl(TunerGraph& record);
