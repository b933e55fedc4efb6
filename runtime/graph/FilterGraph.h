#pragma once
// The filter graph manager (CLSID_FilterGraph): IGraphBuilder with
// IFilterGraph, IMediaControl and IMediaEventSink.
//
// Filters: AddFilter gives each a unique name (a taken name gets " 0001",
// " 0002" ... appended and VFW_S_DUPLICATE_NAME; no name gets "0001" ...)
// and joins it to the graph, which holds one reference to it. RemoveFilter
// (only while the graph is stopped: VFW_E_NOT_STOPPED otherwise) disconnects
// both sides of every connected pin, then lets the filter leave. The last release of the
// graph removes every filter left the same way, so connected filters never
// keep each other alive.
//
// Connect is intelligent connect: the direct connection first, then through
// one filter already in the graph (a free input pin taking the output, a
// free output pin of that filter reaching the input). Render connects an
// output pin to the first free input pin of the graph that takes it. There
// are no file sources on this machine: RenderFile and AddSourceFilter fail.
//
// Run pauses every filter, then runs each with the graph's reference clock
// and a start time; Pause pauses them; Stop stops them. State changes go
// downstream filters first, so a filter never delivers to one that is not
// yet (or no longer) running; a source filter's Stop ends its streaming
// thread, so when Stop returns no streaming thread is inside a filter.
//
// Journal: `graph add "NAME"`, `graph remove "NAME"`,
// `graph connect "F":"P" -> "F":"P" -> HR` (one per Connect or
// ConnectDirect call), `graph run`, `graph pause`, `graph stop`, and
// `graph event CODE` for each event a filter posts.
//
// Threads: building and state changes come from the application's threads
// and are serialised by the graph lock; filters may post events from
// streaming threads at any time (that takes no graph lock).
#include "platform/com/ComPtr.h"
#include "filterbase/CCritSec.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "runtime/ComObject.h"

#include <atomic>
#include <string>
#include <vector>

namespace runtime {

class FilterGraph final
    : public ComObject<FilterGraph, IGraphBuilder, DispatchWithoutTypeInfo<IMediaControl>, IMediaEventSink> {
public:
    // Class factory (CLSID_FilterGraph); aggregation is refused.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    // IFilterGraph
    STDMETHODIMP AddFilter(IBaseFilter* pFilter, LPCWSTR pName) override;
    // VFW_E_NOT_FOUND for a filter not in this graph; VFW_E_NOT_STOPPED
    // while the graph runs or is paused.
    STDMETHODIMP RemoveFilter(IBaseFilter* pFilter) override;
    STDMETHODIMP EnumFilters(IEnumFilters** ppEnum) override;
    STDMETHODIMP FindFilterByName(LPCWSTR pName, IBaseFilter** ppFilter) override;
    // VFW_E_NOT_IN_GRAPH when a pin's filter is not in this graph,
    // VFW_E_INVALID_DIRECTION for pins of the wrong direction; else the
    // output pin's Connect.
    STDMETHODIMP ConnectDirect(IPin* ppinOut, IPin* ppinIn, const AM_MEDIA_TYPE* pmt) override;
    // Breaks the pin's connection and connects it again to the same peer.
    STDMETHODIMP Reconnect(IPin* ppin) override;
    // Disconnects this pin only (its peer keeps its side).
    STDMETHODIMP Disconnect(IPin* ppin) override;
    // The first filter offering IReferenceClock, else a new system clock.
    STDMETHODIMP SetDefaultSyncSource() override;

    // IGraphBuilder
    STDMETHODIMP Connect(IPin* ppinOut, IPin* ppinIn) override;
    STDMETHODIMP Render(IPin* ppinOut) override;
    STDMETHODIMP RenderFile(LPCWSTR lpcwstrFile, LPCWSTR lpcwstrPlayList) override;
    STDMETHODIMP AddSourceFilter(LPCWSTR lpcwstrFileName, LPCWSTR lpcwstrFilterName, IBaseFilter** ppFilter) override;
    // Nothing is logged to files: S_OK.
    STDMETHODIMP SetLogFile(DWORD_PTR hFile) override;
    // Building here is synchronous, so there is nothing to abort: S_OK.
    STDMETHODIMP Abort() override;
    STDMETHODIMP ShouldOperationContinue() override;

    // IMediaControl. Run, Pause and Stop return the first failure of a
    // filter (the others are still changed); Stop always leaves every filter
    // asked to stop.
    STDMETHODIMP Run() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP GetState(LONG msTimeout, OAFilterState* pfs) override;
    STDMETHODIMP RenderFile(BSTR strFilename) override;
    STDMETHODIMP AddSourceFilter(BSTR strFilename, IDispatch** ppUnk) override;
    // No automation collections on this platform: E_NOTIMPL.
    STDMETHODIMP get_FilterCollection(IDispatch** ppUnk) override;
    STDMETHODIMP get_RegFilterCollection(IDispatch** ppUnk) override;
    // Pauses, then stops.
    STDMETHODIMP StopWhenReady() override;

    // IMediaEventSink: any thread.
    STDMETHODIMP Notify(LONG EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2) override;

    // For the filter enumerator: the filters now, and a number that changes
    // whenever the set changes.
    std::vector<ComPtr<IBaseFilter>> Filters();
    LONG Version() const { return m_version.load(); }

private:
    struct Entry {
        ComPtr<IBaseFilter> filter;
        std::wstring name;
    };

    FilterGraph() = default;
    ~FilterGraph() override;
    void* FindInterface(REFIID riid) override;

    IFilterGraph* AsGraph() { return static_cast<IGraphBuilder*>(this); }
    bool Contains(IBaseFilter* filter);
    bool PinInGraph(IPin* pin);
    std::wstring NameOf(IBaseFilter* filter);
    std::wstring UniqueName(LPCWSTR requested, bool& changed);
    HRESULT ConnectDirectLocked(IPin* ppinOut, IPin* ppinIn, const AM_MEDIA_TYPE* pmt);
    HRESULT ConnectThroughGraph(IPin* ppinOut, IPin* ppinIn);
    void JournalConnect(IPin* ppinOut, IPin* ppinIn, HRESULT hr);
    void DisconnectAll(IBaseFilter* filter);
    // The filters ordered so that every filter comes before the filters
    // upstream of it.
    std::vector<ComPtr<IBaseFilter>> DownstreamFirst();
    HRESULT EnsureClock();
    HRESULT PauseLocked();
    HRESULT StopLocked();

    CCritSec m_lock; // the graph lock: filters, names, state, clock
    std::vector<Entry> m_filters;
    ComPtr<IReferenceClock> m_clock;
    FILTER_STATE m_state = State_Stopped;
    std::atomic<LONG> m_version{1};
};

} // namespace runtime
