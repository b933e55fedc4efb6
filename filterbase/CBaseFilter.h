#pragma once
// CBaseFilter: IBaseFilter (with IMediaFilter and IPersist) and IAMovieSetup
// for a filter whose pins are CBasePin objects. A concrete filter supplies
// GetPinCount and GetPin (and, if it registers, GetSetupData) and owns its pins.
//
// Locking: one lock per filter, owned by the filter's creator and shared with
// the pins; it is re-entrant (Run calls Pause under it). It guards state
// changes, the clock, FindPin, JoinFilterGraph, connections, allocator
// requests and notifications, flushing and the quality sink. GetState,
// GetClassID and QueryFilterInfo take no filter lock.
//
// Reference counting: the count starts at 0; the creator adds the first
// reference. Pins count on their filter, so a pin reference keeps the filter
// alive. The filter is deleted at its last Release.
#include "filterbase/AMovieSetup.h"
#include "filterbase/CCritSec.h"
#include "filterbase/CUnknown.h"
#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphInterfaces.h"
#include "platform/dshow/SampleInterfaces.h"

#include <atomic>
#include <mutex>
#include <string>

class CBasePin;

class CBaseFilter : public CUnknown, public IBaseFilter, public IAMovieSetup {
public:
    // lock: the filter lock, owned by the creator and outliving the filter.
    // clsid: returned by GetClassID.
    CBaseFilter(LPCWSTR objectName, IUnknown* outer, CCritSec* lock, REFCLSID clsid);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN

    // IBaseFilter, IMediaFilter and IPersist give the IBaseFilter interface;
    // IAMovieSetup its own; the rest as CUnknown.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // Hooks, in slot order.
    // The graph clock's time minus the start time given to Run (100 ns
    // units); VFW_E_NO_CLOCK without a clock, or the clock's failure.
    virtual HRESULT StreamTime(REFERENCE_TIME& streamTime);
    // Changes whenever the set of pins changes (IncrementPinVersion).
    virtual LONG GetPinVersion();
    virtual int GetPinCount() = 0;
    // The pin at index n (0-based), not counted, or null for no pin.
    virtual CBasePin* GetPin(int n) = 0;
    // Registration data; none by default.
    virtual const AMOVIESETUP_FILTER* GetSetupData();

    // IPersist
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    // IMediaFilter
    // Calls Inactive on every connected pin (all of them, even after a
    // failure) and ends Stopped; returns the first failure or S_OK.
    STDMETHODIMP Stop() override;
    // From Stopped, calls Active on every connected pin; a failure is
    // returned at once, the pins already made active are made inactive
    // again and the filter stays Stopped.
    STDMETHODIMP Pause() override;
    // Stores the start time, pauses first from Stopped, then calls Run on
    // every connected pin (the first failure is returned at once).
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;
    // The state at once; the timeout is ignored.
    STDMETHODIMP GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* pClock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** pClock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** ppEnum) override;
    // The first pin whose name equals Id exactly; VFW_E_NOT_FOUND and null otherwise.
    STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;
    // The name cut to 127 characters, and the graph with a reference added.
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* pInfo) override;
    // Keeps the graph and its event sink without references, and a copy of the name.
    STDMETHODIMP JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* pVendorInfo) override;
    // IAMovieSetup: S_FALSE without setup data; with it E_NOTIMPL, as this
    // platform has no filter mapper to register with.
    STDMETHODIMP Register() override;
    STDMETHODIMP Unregister() override;

    // For pins and concrete filters.
    void IncrementPinVersion() { ++m_PinVersion; }
    FILTER_STATE State() const { return m_State; }
    bool IsStopped() const { return m_State == State_Stopped; }
    bool IsActive() const { return m_State != State_Stopped; }
    CCritSec* pStateLock() const { return m_pLock; }
    // The graph this filter is in, not counted; null outside a graph.
    IFilterGraph* GetFilterGraph();
    // Posts an event to the graph's event sink; E_NOTIMPL outside a graph
    // without one. Any thread, without holding the filter lock.
    HRESULT NotifyEvent(LONG eventCode, LONG_PTR param1, LONG_PTR param2);

protected:
    std::atomic<FILTER_STATE> m_State{State_Stopped};
    ComPtr<IReferenceClock> m_pClock;
    REFERENCE_TIME m_tStart = 0;
    const CLSID m_clsid;
    CCritSec* const m_pLock;

private:
    // Name, graph and event sink change under the filter lock and this one;
    // readers that take no filter lock (QueryFilterInfo, NotifyEvent) take
    // only this, and never call out while holding it.
    std::mutex m_graphLock;
    std::wstring m_pName;
    IFilterGraph* m_pGraph = nullptr;
    IMediaEventSink* m_pSink = nullptr;
    std::atomic<LONG> m_PinVersion{1};
};
