#include "graph/TunerGraphBuild.h"

#include "process/DiagLog.h"
#include "graph/DVBSTuningSpace.h"
#include "graph/DeviceClassification.h"
#include "graph/FindFilter.h"
#include "graph/GraphConnect.h"
#include "graph/TunerDevices.h"
#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "sink/RecordSession.h"

#include <string>

namespace {

// Adds a filter under its graph name; the result is not examined by the build.
void AddNamed(IGraphBuilder* graph, IBaseFilter* filter, LPCWSTR name)
{
    if (graph && filter) {
        graph->AddFilter(filter, name);
    }
}

void RemoveFromGraph(IGraphBuilder* graph, IBaseFilter* filter)
{
    if (graph && filter) {
        graph->RemoveFilter(filter);
    }
}

ComPtr<IBaseFilter> CreateFilter(REFCLSID clsid)
{
    ComPtr<IBaseFilter> filter;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)))) {
        return nullptr;
    }
    return filter;
}

IBaseFilter* AsFilter(CDestFilter* sink) { return sink; }

} // namespace

int BuildTunerGraph(int deviceIndex, const std::wstring& deviceName, HWND owner)
{
    if (deviceIndex == -1) {
        return BUILD_OK;
    }
    TunerGraph& record = TunerGraph::Process();

    // Neither result is examined: without a graph manager every later step
    // finds no graph and the build ends at the provider connection.
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                     IID_PPV_ARGS(record.graph.ReleaseAndGetAddressOf()));
    record.mediaControl = nullptr;
    if (record.graph) {
        record.graph.QueryInterface(record.mediaControl);
    }
    IGraphBuilder* const graph = record.graph.Get();

    record.networkProvider = CreateDVBSNetworkProvider();
    if (!record.networkProvider) {
        ErrorBox(owner, L"CreateDVBSNetworkProvider Failed");
        return BUILD_OK;
    }
    AddNamed(graph, record.networkProvider.Get(), L"Network DVBS Provider");

    std::wstring tunerName;
    if (FAILED(CreateTunerDevice(graph, deviceIndex, record.tuner, tunerName))) {
        ErrorBox(owner, L"CreateTunerDevice Failed");
    }
    // The model comes from the name the user chose, not from the bound device.
    record.deviceType = ClassifyDevice(deviceName);

    if (!record.tuner || FAILED(ConnectFilters(graph, record.networkProvider.Get(), record.tuner.Get()))) {
        LogLine(L"FAILED: cannot connect network provider to tuner filter");
        DestroyTunerGraph();
        return BUILD_NO_PROVIDER_CONNECTION;
    }
    if (FAILED(CreateCaptureFilter(graph, record.tuner.Get(), record.capture))) {
        LogLine(L"WARNING: cannot create capture filter");
        record.capture = nullptr;
        DestroyTunerGraph();
        return BUILD_NO_CAPTURE;
    }

    record.demultiplexer = CreateFilter(CLSID_MPEG2Demultiplexer);
    if (!record.demultiplexer) {
        ErrorBox(owner, L"CreateMPEG2Demultiplexer Failed");
        return BUILD_NO_DEMULTIPLEXER;
    }
    AddNamed(graph, record.demultiplexer.Get(), L"MPEG2 Demultiplexer");

    record.tee = CreateFilter(CLSID_InfTee);
    if (!record.tee) {
        ErrorBox(owner, L"CreateInfinitePinTee Failed");
        return BUILD_NO_TEE;
    }
    AddNamed(graph, record.tee.Get(), L"Infinite pin tee splitter");

    record.transportInformation = FindFilter(KSCATEGORY_BDA_TRANSPORT_INFORMATION);
    if (!record.transportInformation) {
        ErrorBox(owner, L"No transport information filter found");
        return BUILD_NO_TRANSPORT_INFORMATION;
    }
    AddNamed(graph, record.transportInformation.Get(), L"transport information filter");

    CDestFilter* sink = nullptr;
    CDestFilter::Create(RecordSession::Process(), &sink);
    record.sink.Attach(sink);
    AddNamed(graph, AsFilter(record.sink.Get()), L"Dest Filter");

    // Their outcomes do not change the result; ConnectPins reports its own
    // failures. The tee grows a free output pin per connection, so the
    // demultiplexer and the sink each get their own.
    ConnectPins(graph, record.capture.Get(), record.tee.Get());
    ConnectPins(graph, record.tee.Get(), record.demultiplexer.Get());
    ConnectPins(graph, record.tee.Get(), AsFilter(record.sink.Get()));
    ConnectPins(graph, record.demultiplexer.Get(), record.transportInformation.Get());
    return BUILD_OK;
}

int DestroyTunerGraph()
{
    TunerGraph& record = TunerGraph::Process();
    if (record.mediaControl) {
        record.mediaControl->Stop();
    }
    ReleaseKsCtrl(record);
    RemoveFromGraph(record.graph.Get(), record.networkProvider.Get());
    record.mediaControl = nullptr;
    record.networkProvider = nullptr;
    RemoveFromGraph(record.graph.Get(), record.tuner.Get());
    record.tuner = nullptr;
    record.graph = nullptr;
    return 0;
}

void ReleaseTunerGraph()
{
    TunerGraph& record = TunerGraph::Process();
    if (record.mediaControl) {
        record.mediaControl->Stop();
    }
    ReleaseKsCtrl(record);
    IGraphBuilder* const graph = record.graph.Get();
    RemoveFromGraph(graph, record.capture.Get());
    RemoveFromGraph(graph, record.networkProvider.Get());
    RemoveFromGraph(graph, AsFilter(record.sink.Get()));
    record.mediaControl = nullptr;
    record.capture = nullptr;
    record.demultiplexer = nullptr;
    record.tee = nullptr;
    record.transportInformation = nullptr;
    record.networkProvider = nullptr;
    RemoveFromGraph(graph, record.tuner.Get());
    record.tuner = nullptr;
    // The sink goes with its last reference (it deletes its own pin): deleting
    // it here whatever its count would pull it from under anyone still
    // holding it, such as a capture page that has not let go yet.
    record.sink = nullptr;
    record.graph = nullptr;
    // The space stays registered in the store; only the run's reference ends.
    record.tuningSpace = nullptr;
}
