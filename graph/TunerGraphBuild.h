#pragma once
// Building the tuner's media graph into TunerGraph and tearing it down again.
// User-interface thread, inside a COM apartment.
//
// The finished graph:
//   network provider -> tuner -> capture -> tee
//   tee -> demultiplexer -> transport information filter
//   tee -> sink ("Dest Filter", the recorder's CDestFilter)
#include "graph/GraphMessageBox.h"

#include <string>

// Results of BuildTunerGraph.
inline constexpr int BUILD_OK = 0;                     // built, nothing to build, or no network provider
inline constexpr int BUILD_NO_PROVIDER_CONNECTION = 6; // the provider did not connect to the tuner
inline constexpr int BUILD_NO_CAPTURE = 7;             // no receiver component connected
inline constexpr int BUILD_NO_DEMULTIPLEXER = 8;
inline constexpr int BUILD_NO_TEE = 9;
inline constexpr int BUILD_NO_TRANSPORT_INFORMATION = 10;

// Builds the graph for the tuner at deviceIndex (-1: nothing is built) into
// TunerGraph::Process(), classifying the chosen device by its listed name
// (deviceName) into deviceType. Failures are shown in error boxes owned by owner or written to
// the diagnostic log. After 6 and 7 the graph is torn down (DestroyTunerGraph);
// after 8, 9 and 10 what was made so far stays. The caller releases what an
// earlier build left (ReleaseTunerGraph) before building again.
int BuildTunerGraph(int deviceIndex, const std::wstring& deviceName, HWND owner);

// The build's own teardown after 6 or 7: stops the graph, releases m_pKsCtrl
// under graphMutex, removes and releases the network provider and the tuner,
// releases media control and graph. Returns 0.
int DestroyTunerGraph();

// The final release, when the Tuner Setting page goes: stops the graph,
// releases m_pKsCtrl under graphMutex, removes capture, provider and sink from
// the graph, releases every graph object, the sink, the graph and the tuning
// space. Afterwards every object field of the record is null.
void ReleaseTunerGraph();
