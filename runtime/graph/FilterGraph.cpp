#include "runtime/graph/FilterGraph.h"

#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "runtime/graph/FilterEnumerator.h"
#include "runtime/graph/SystemClock.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

namespace runtime {

namespace {

// Filters start this long after Run so every one of them is running by then
// (100 ns units).
constexpr REFERENCE_TIME kStartDelay = 10 * 10'000;

std::vector<ComPtr<IPin>> PinsOf(IBaseFilter* filter)
{
    std::vector<ComPtr<IPin>> pins;
    ComPtr<IEnumPins> enumerator;
    if (FAILED(filter->EnumPins(&enumerator)) || !enumerator) return pins;
    ComPtr<IPin> pin;
    while (enumerator->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin) {
        pins.push_back(pin);
    }
    return pins;
}

bool HasDirection(IPin* pin, PIN_DIRECTION wanted)
{
    PIN_DIRECTION direction{};
    return SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted;
}

ComPtr<IPin> PeerOf(IPin* pin)
{
    ComPtr<IPin> peer;
    if (FAILED(pin->ConnectedTo(&peer))) peer = nullptr;
    return peer;
}

ComPtr<IBaseFilter> FilterOf(IPin* pin)
{
    ComPtr<IBaseFilter> filter;
    PIN_INFO info{};
    if (SUCCEEDED(pin->QueryPinInfo(&info))) filter.Attach(info.pFilter);
    return filter;
}

std::wstring PinNameOf(IPin* pin)
{
    PIN_INFO info{};
    if (FAILED(pin->QueryPinInfo(&info))) return {};
    if (info.pFilter) info.pFilter->Release();
    info.achName[MAX_PIN_NAME - 1] = L'\0';
    return info.achName;
}

bool IsFree(IPin* pin) { return !PeerOf(pin); }

} // namespace

HRESULT FilterGraph::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* graph = new FilterGraph();
    ComPtr<IGraphBuilder> held(static_cast<IGraphBuilder*>(graph));
    return held->QueryInterface(riid, ppv);
}

FilterGraph::~FilterGraph()
{
    // Connected pins hold their peers' filters: break every connection so
    // that the filters can go, and let each filter forget this graph.
    CAutoLock lock(&m_lock);
    if (m_state != State_Stopped) StopLocked();
    for (auto& entry : m_filters) DisconnectAll(entry.filter.Get());
    for (auto& entry : m_filters) entry.filter->JoinFilterGraph(nullptr, nullptr);
    m_filters.clear();
}

void* FilterGraph::FindInterface(REFIID riid)
{
    if (riid == IID_IFilterGraph || riid == IID_IGraphBuilder) return static_cast<IGraphBuilder*>(this);
    if (riid == IID_IMediaControl || riid == IID_IDispatch) return static_cast<IMediaControl*>(this);
    if (riid == IID_IMediaEventSink) return static_cast<IMediaEventSink*>(this);
    return nullptr;
}

std::vector<ComPtr<IBaseFilter>> FilterGraph::Filters()
{
    CAutoLock lock(&m_lock);
    std::vector<ComPtr<IBaseFilter>> filters;
    for (const auto& entry : m_filters) filters.push_back(entry.filter);
    return filters;
}

bool FilterGraph::Contains(IBaseFilter* filter)
{
    return std::any_of(m_filters.begin(), m_filters.end(), [&](const Entry& e) { return e.filter.Get() == filter; });
}

bool FilterGraph::PinInGraph(IPin* pin)
{
    const ComPtr<IBaseFilter> filter = FilterOf(pin);
    return filter && Contains(filter.Get());
}

std::wstring FilterGraph::NameOf(IBaseFilter* filter)
{
    for (const auto& entry : m_filters) {
        if (entry.filter.Get() == filter) return entry.name;
    }
    return {};
}

std::wstring FilterGraph::UniqueName(LPCWSTR requested, bool& changed)
{
    auto taken = [&](const std::wstring& name) {
        return std::any_of(m_filters.begin(), m_filters.end(), [&](const Entry& e) { return e.name == name; });
    };
    const std::wstring base = requested ? requested : L"";
    changed = false;
    if (!base.empty() && !taken(base)) return base;
    for (int n = 1; n <= 9999; ++n) {
        wchar_t suffix[8];
        std::swprintf(suffix, 8, L"%04d", n);
        const std::wstring candidate = base.empty() ? std::wstring(suffix) : base + L" " + suffix;
        if (!taken(candidate)) {
            changed = !base.empty();
            return candidate;
        }
    }
    return {};
}

STDMETHODIMP FilterGraph::AddFilter(IBaseFilter* pFilter, LPCWSTR pName)
{
    if (!pFilter) return E_POINTER;
    CAutoLock lock(&m_lock);
    if (Contains(pFilter)) return E_INVALIDARG;
    bool changed = false;
    const std::wstring name = UniqueName(pName, changed);
    if (name.empty()) return VFW_E_DUPLICATE_NAME;
    if (const HRESULT hr = pFilter->JoinFilterGraph(AsGraph(), name.c_str()); FAILED(hr)) return hr;
    m_filters.push_back(Entry{ComPtr<IBaseFilter>(pFilter), name});
    ++m_version;
    if (m_clock) pFilter->SetSyncSource(m_clock.Get());
    JournalWrite("graph add " + JournalQuote(ToUtf8(name)));
    return changed ? VFW_S_DUPLICATE_NAME : S_OK;
}

void FilterGraph::DisconnectAll(IBaseFilter* filter)
{
    for (const ComPtr<IPin>& pin : PinsOf(filter)) {
        if (const ComPtr<IPin> peer = PeerOf(pin.Get())) {
            peer->Disconnect();
            pin->Disconnect();
        }
    }
}

STDMETHODIMP FilterGraph::RemoveFilter(IBaseFilter* pFilter)
{
    if (!pFilter) return E_POINTER;
    CAutoLock lock(&m_lock);
    const auto found =
        std::find_if(m_filters.begin(), m_filters.end(), [&](const Entry& e) { return e.filter.Get() == pFilter; });
    if (found == m_filters.end()) return VFW_E_NOT_FOUND;
    // Breaking connections under a streaming thread would pull pins away
    // from a delivery in progress.
    if (m_state != State_Stopped) return VFW_E_NOT_STOPPED;
    DisconnectAll(pFilter);
    const Entry entry = *found;
    m_filters.erase(found);
    ++m_version;
    entry.filter->JoinFilterGraph(nullptr, nullptr);
    entry.filter->SetSyncSource(nullptr);
    JournalWrite("graph remove " + JournalQuote(ToUtf8(entry.name)));
    return S_OK;
}

STDMETHODIMP FilterGraph::EnumFilters(IEnumFilters** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = FilterEnumerator::Create(this);
    return S_OK;
}

STDMETHODIMP FilterGraph::FindFilterByName(LPCWSTR pName, IBaseFilter** ppFilter)
{
    if (!pName || !ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    CAutoLock lock(&m_lock);
    for (const auto& entry : m_filters) {
        if (entry.name == pName) {
            *ppFilter = entry.filter.Get();
            (*ppFilter)->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT FilterGraph::ConnectDirectLocked(IPin* ppinOut, IPin* ppinIn, const AM_MEDIA_TYPE* pmt)
{
    if (!PinInGraph(ppinOut) || !PinInGraph(ppinIn)) return VFW_E_NOT_IN_GRAPH;
    if (!HasDirection(ppinOut, PINDIR_OUTPUT) || !HasDirection(ppinIn, PINDIR_INPUT)) {
        return VFW_E_INVALID_DIRECTION;
    }
    return ppinOut->Connect(ppinIn, pmt);
}

void FilterGraph::JournalConnect(IPin* ppinOut, IPin* ppinIn, HRESULT hr)
{
    if (!JournalEnabled()) return;
    auto end = [this](IPin* pin) {
        const ComPtr<IBaseFilter> filter = FilterOf(pin);
        return JournalQuote(ToUtf8(filter ? NameOf(filter.Get()) : L"")) + ":" + JournalQuote(ToUtf8(PinNameOf(pin)));
    };
    JournalWrite("graph connect " + end(ppinOut) + " -> " + end(ppinIn) + " -> " + JournalResult(hr));
}

STDMETHODIMP FilterGraph::ConnectDirect(IPin* ppinOut, IPin* ppinIn, const AM_MEDIA_TYPE* pmt)
{
    if (!ppinOut || !ppinIn) return E_POINTER;
    CAutoLock lock(&m_lock);
    const HRESULT hr = ConnectDirectLocked(ppinOut, ppinIn, pmt);
    JournalConnect(ppinOut, ppinIn, hr);
    return hr;
}

HRESULT FilterGraph::ConnectThroughGraph(IPin* ppinOut, IPin* ppinIn)
{
    const ComPtr<IBaseFilter> from = FilterOf(ppinOut);
    const ComPtr<IBaseFilter> to = FilterOf(ppinIn);
    for (const Entry& entry : std::vector<Entry>(m_filters)) {
        IBaseFilter* middle = entry.filter.Get();
        if (middle == from.Get() || middle == to.Get()) continue;
        for (const ComPtr<IPin>& input : PinsOf(middle)) {
            if (!HasDirection(input.Get(), PINDIR_INPUT) || !IsFree(input.Get())) continue;
            if (FAILED(ppinOut->Connect(input.Get(), nullptr))) continue;
            // The middle filter may offer new output pins once its input is connected.
            for (const ComPtr<IPin>& output : PinsOf(middle)) {
                if (HasDirection(output.Get(), PINDIR_OUTPUT) && IsFree(output.Get()) &&
                    SUCCEEDED(output->Connect(ppinIn, nullptr))) {
                    return S_OK;
                }
            }
            input->Disconnect();
            ppinOut->Disconnect();
        }
    }
    return VFW_E_CANNOT_CONNECT;
}

STDMETHODIMP FilterGraph::Connect(IPin* ppinOut, IPin* ppinIn)
{
    if (!ppinOut || !ppinIn) return E_POINTER;
    CAutoLock lock(&m_lock);
    HRESULT hr = ConnectDirectLocked(ppinOut, ppinIn, nullptr);
    if (FAILED(hr) && hr != VFW_E_NOT_IN_GRAPH && hr != VFW_E_INVALID_DIRECTION && hr != VFW_E_ALREADY_CONNECTED &&
        hr != VFW_E_NOT_STOPPED && SUCCEEDED(ConnectThroughGraph(ppinOut, ppinIn))) {
        hr = S_OK;
    }
    JournalConnect(ppinOut, ppinIn, hr);
    return hr;
}

STDMETHODIMP FilterGraph::Reconnect(IPin* ppin)
{
    if (!ppin) return E_POINTER;
    CAutoLock lock(&m_lock);
    const ComPtr<IPin> peer = PeerOf(ppin);
    if (!peer) return VFW_E_NOT_CONNECTED;
    IPin* output = HasDirection(ppin, PINDIR_OUTPUT) ? ppin : peer.Get();
    IPin* input = output == ppin ? peer.Get() : ppin;
    if (const HRESULT hr = output->Disconnect(); FAILED(hr)) return hr;
    input->Disconnect();
    return ConnectDirectLocked(output, input, nullptr);
}

STDMETHODIMP FilterGraph::Disconnect(IPin* ppin)
{
    if (!ppin) return E_POINTER;
    CAutoLock lock(&m_lock);
    return ppin->Disconnect();
}

STDMETHODIMP FilterGraph::SetDefaultSyncSource()
{
    CAutoLock lock(&m_lock);
    ComPtr<IReferenceClock> clock;
    for (const auto& entry : m_filters) {
        if (SUCCEEDED(entry.filter->QueryInterface(IID_PPV_ARGS(&clock))) && clock) break;
        clock = nullptr;
    }
    if (!clock) clock.Attach(SystemClock::Create());
    m_clock = clock;
    for (const auto& entry : m_filters) entry.filter->SetSyncSource(m_clock.Get());
    return S_OK;
}

STDMETHODIMP FilterGraph::Render(IPin* ppinOut)
{
    if (!ppinOut) return E_POINTER;
    CAutoLock lock(&m_lock);
    if (!PinInGraph(ppinOut)) return VFW_E_NOT_IN_GRAPH;
    if (!HasDirection(ppinOut, PINDIR_OUTPUT)) return VFW_E_INVALID_DIRECTION;
    const ComPtr<IBaseFilter> from = FilterOf(ppinOut);
    for (const Entry& entry : std::vector<Entry>(m_filters)) {
        if (entry.filter.Get() == from.Get()) continue;
        for (const ComPtr<IPin>& input : PinsOf(entry.filter.Get())) {
            if (HasDirection(input.Get(), PINDIR_INPUT) && IsFree(input.Get()) &&
                SUCCEEDED(ppinOut->Connect(input.Get(), nullptr))) {
                return S_OK;
            }
        }
    }
    return VFW_E_CANNOT_RENDER;
}

STDMETHODIMP FilterGraph::RenderFile(LPCWSTR, LPCWSTR) { return VFW_E_CANNOT_RENDER; }

STDMETHODIMP FilterGraph::AddSourceFilter(LPCWSTR, LPCWSTR, IBaseFilter** ppFilter)
{
    if (ppFilter) *ppFilter = nullptr;
    return VFW_E_CANNOT_RENDER;
}

STDMETHODIMP FilterGraph::SetLogFile(DWORD_PTR) { return S_OK; }
STDMETHODIMP FilterGraph::Abort() { return S_OK; }
STDMETHODIMP FilterGraph::ShouldOperationContinue() { return S_OK; }

std::vector<ComPtr<IBaseFilter>> FilterGraph::DownstreamFirst()
{
    std::vector<ComPtr<IBaseFilter>> order;
    std::set<IBaseFilter*> visited;
    std::function<void(IBaseFilter*)> visit = [&](IBaseFilter* filter) {
        if (!visited.insert(filter).second) return;
        for (const ComPtr<IPin>& pin : PinsOf(filter)) {
            if (!HasDirection(pin.Get(), PINDIR_OUTPUT)) continue;
            if (const ComPtr<IPin> peer = PeerOf(pin.Get())) {
                const ComPtr<IBaseFilter> downstream = FilterOf(peer.Get());
                if (downstream && Contains(downstream.Get())) visit(downstream.Get());
            }
        }
        order.push_back(ComPtr<IBaseFilter>(filter));
    };
    for (const auto& entry : m_filters) visit(entry.filter.Get());
    return order;
}

HRESULT FilterGraph::EnsureClock()
{
    if (m_clock) return S_OK;
    m_clock.Attach(SystemClock::Create());
    for (const auto& entry : m_filters) entry.filter->SetSyncSource(m_clock.Get());
    return S_OK;
}

HRESULT FilterGraph::PauseLocked()
{
    EnsureClock();
    HRESULT first = S_OK;
    for (const ComPtr<IBaseFilter>& filter : DownstreamFirst()) {
        const HRESULT hr = filter->Pause();
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
    }
    m_state = State_Paused;
    return first;
}

STDMETHODIMP FilterGraph::Run()
{
    CAutoLock lock(&m_lock);
    JournalWrite("graph run");
    if (m_state == State_Running) return S_OK;
    HRESULT first = S_OK;
    if (m_state == State_Stopped) first = PauseLocked();
    REFERENCE_TIME now = 0;
    m_clock->GetTime(&now);
    const REFERENCE_TIME start = now + kStartDelay;
    for (const ComPtr<IBaseFilter>& filter : DownstreamFirst()) {
        const HRESULT hr = filter->Run(start);
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
    }
    m_state = State_Running;
    return first;
}

STDMETHODIMP FilterGraph::Pause()
{
    CAutoLock lock(&m_lock);
    JournalWrite("graph pause");
    return PauseLocked();
}

STDMETHODIMP FilterGraph::Stop()
{
    CAutoLock lock(&m_lock);
    JournalWrite("graph stop");
    return StopLocked();
}

HRESULT FilterGraph::StopLocked()
{
    HRESULT first = S_OK;
    for (const ComPtr<IBaseFilter>& filter : DownstreamFirst()) {
        const HRESULT hr = filter->Stop();
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
    }
    m_state = State_Stopped;
    return first;
}

STDMETHODIMP FilterGraph::GetState(LONG, OAFilterState* pfs)
{
    if (!pfs) return E_POINTER;
    CAutoLock lock(&m_lock);
    *pfs = m_state;
    return S_OK;
}

STDMETHODIMP FilterGraph::RenderFile(BSTR) { return VFW_E_CANNOT_RENDER; }

STDMETHODIMP FilterGraph::AddSourceFilter(BSTR, IDispatch** ppUnk)
{
    if (ppUnk) *ppUnk = nullptr;
    return VFW_E_CANNOT_RENDER;
}

STDMETHODIMP FilterGraph::get_FilterCollection(IDispatch** ppUnk)
{
    if (ppUnk) *ppUnk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FilterGraph::get_RegFilterCollection(IDispatch** ppUnk)
{
    if (ppUnk) *ppUnk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FilterGraph::StopWhenReady()
{
    CAutoLock lock(&m_lock);
    PauseLocked();
    return StopLocked();
}

STDMETHODIMP FilterGraph::Notify(LONG EventCode, LONG_PTR, LONG_PTR)
{
    JournalWrite("graph event " + std::to_string(EventCode));
    return S_OK;
}

} // namespace runtime
