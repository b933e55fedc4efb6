#include "sim/tuner/TunerFilter.h"

#include "platform/com/InterfaceId.h"
#include "platform/dshow/MediaTypes.h"
#include "sim/tuner/TunerControlNode.h"

#include <algorithm>

namespace sim {

namespace {

// Counts for the topology's answers: one node, two pin types, one connection.
HRESULT FillCount(ULONG* count, ULONG wanted, ULONG room)
{
    if (!count) return E_POINTER;
    *count = wanted;
    return room < wanted ? S_FALSE : S_OK;
}

bool IsTransportType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream && pmt->subtype == KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT;
}

} // namespace

// ---- input pin ----

TunerInputPin::TunerInputPin(TunerFilter* filter, CCritSec* lock, const std::wstring& name)
    : CBasePin(L"Tuner input pin", filter, lock, name.c_str(), PINDIR_INPUT),
      m_owner(filter)
{}

STDMETHODIMP TunerInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IKsPropertySet) {
        if (!ppv) return E_POINTER;
        if (!m_owner->Options().pinKs) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT TunerInputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == KSDATAFORMAT_TYPE_BDA_ANTENNA ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TunerInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *pMediaType = MediaTypeValue(KSDATAFORMAT_TYPE_BDA_ANTENNA);
    return S_OK;
}

STDMETHODIMP TunerInputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    (void)apPin;
    *nPin = 0;
    return S_OK;
}

// No samples travel on the antenna connection.
STDMETHODIMP TunerInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }
STDMETHODIMP TunerInputPin::BeginFlush() { return S_OK; }
STDMETHODIMP TunerInputPin::EndFlush() { return S_OK; }

STDMETHODIMP TunerInputPin::Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                                LPVOID pPropData, DWORD cbPropData)
{
    return m_owner->Device().driver.Set(guidPropSet, dwPropID, pInstanceData, cbInstanceData, pPropData, cbPropData);
}

STDMETHODIMP TunerInputPin::Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                                LPVOID pPropData, DWORD cbPropData, DWORD* pcbReturned)
{
    return m_owner->Device().driver.Get(guidPropSet, dwPropID, pInstanceData, cbInstanceData, pPropData, cbPropData,
                                        pcbReturned);
}

STDMETHODIMP TunerInputPin::QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport)
{
    return m_owner->Device().driver.QuerySupported(guidPropSet, dwPropID, pTypeSupport);
}

// ---- output pin ----

TunerOutputPin::TunerOutputPin(TunerFilter* filter, CCritSec* lock, ULONG medium)
    : CBasePin(L"Tuner output pin", filter, lock, L"MPEG2 Transport", PINDIR_OUTPUT),
      m_medium(KavroTunerMedium(medium))
{}

STDMETHODIMP TunerOutputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_ISimPinMedium) {
        if (!ppv) return E_POINTER;
        return GetInterface(static_cast<ISimPinMedium*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP TunerOutputPin::GetMedium(REGPINMEDIUM* pMedium)
{
    if (!pMedium) return E_POINTER;
    *pMedium = m_medium;
    return S_OK;
}

HRESULT TunerOutputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportType(pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TunerOutputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *pMediaType = MediaTypeValue(MEDIATYPE_Stream);
    pMediaType->subtype = KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT;
    return S_OK;
}

STDMETHODIMP TunerOutputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    (void)apPin;
    *nPin = 0;
    return S_OK;
}

// The stream leaves through the capture filter; nothing travels here.
STDMETHODIMP TunerOutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }
STDMETHODIMP TunerOutputPin::BeginFlush() { return E_UNEXPECTED; }
STDMETHODIMP TunerOutputPin::EndFlush() { return E_UNEXPECTED; }

// ---- filter ----

HRESULT TunerFilter::Create(std::shared_ptr<sim::TunerDevice> device, const TunerFilterOptions& options,
                            IBaseFilter** ppFilter)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    if (!device) return E_INVALIDARG;
    auto* filter = new TunerFilter(std::move(device), options);
    filter->NonDelegatingAddRef();
    const HRESULT hr = filter->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ppFilter));
    filter->NonDelegatingRelease();
    return hr;
}

TunerFilter::TunerFilter(std::shared_ptr<sim::TunerDevice> device, const TunerFilterOptions& options)
    : CBaseFilter(options.name.c_str(), nullptr, &m_filterLock, CLSID_KavroTunerFilter),
      m_device(std::move(device)),
      m_options(options),
      m_input(std::make_unique<TunerInputPin>(this, &m_filterLock, options.inputPin)),
      m_output(std::make_unique<TunerOutputPin>(this, &m_filterLock, options.medium))
{}

TunerFilter::~TunerFilter() = default;

CBasePin* TunerFilter::GetPin(int n)
{
    if (n == 0) return m_input.get();
    if (n == 1) return m_output.get();
    return nullptr;
}

STDMETHODIMP TunerFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == runtime::IID_ISimTuneTarget) return GetInterface(static_cast<runtime::ISimTuneTarget*>(this), ppv);
    // The topology's identifier from its type: mingw-w64's import library holds
    // another value under IID_IBDA_Topology.
    if (riid == IID_IKsPropertySet || riid == uuidof<IBDA_Topology>()) {
        const bool offered = riid == IID_IKsPropertySet ? m_options.filterKs : m_options.topology;
        if (!offered) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        if (riid == IID_IKsPropertySet) return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
        return GetInterface(static_cast<IBDA_Topology*>(this), ppv);
    }
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP TunerFilter::ApplyTuneRequest(const runtime::SimTuneRequest& request)
{
    // Values the request leaves unset (-1) count as 0: nothing lies there.
    auto value = [](LONG v) { return static_cast<std::uint32_t>(std::max<LONG>(0, v)); };
    sim::TuneRequest tune;
    tune.frequencyKhz = value(request.carrierFrequency);
    tune.symbolRateKsps = value(request.symbolRate);
    tune.polarisation = static_cast<int>(request.polarisation);
    tune.lnbLowKhz = value(request.lowOscillator);
    tune.lnbHighKhz = value(request.highOscillator);
    tune.lnbSwitchKhz = value(request.lnbSwitch);
    return m_device->demodulator.Tune(tune);
}

STDMETHODIMP TunerFilter::Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                              LPVOID pPropData, DWORD cbPropData)
{
    return m_device->driver.Set(guidPropSet, dwPropID, pInstanceData, cbInstanceData, pPropData, cbPropData);
}

STDMETHODIMP TunerFilter::Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                              LPVOID pPropData, DWORD cbPropData, DWORD* pcbReturned)
{
    return m_device->driver.Get(guidPropSet, dwPropID, pInstanceData, cbInstanceData, pPropData, cbPropData,
                                pcbReturned);
}

STDMETHODIMP TunerFilter::QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport)
{
    return m_device->driver.QuerySupported(guidPropSet, dwPropID, pTypeSupport);
}

STDMETHODIMP TunerFilter::GetNodeTypes(ULONG* pulcNodeTypes, ULONG ulcNodeTypesMax, ULONG rgulNodeTypes[])
{
    const HRESULT hr = FillCount(pulcNodeTypes, 1, ulcNodeTypesMax);
    if (hr == S_OK && rgulNodeTypes) rgulNodeTypes[0] = 0;
    return hr;
}

STDMETHODIMP TunerFilter::GetNodeDescriptors(ULONG* ulcNodeDescriptors, ULONG ulcNodeDescriptorsMax,
                                             BDANODE_DESCRIPTOR rgNodeDescriptors[])
{
    const HRESULT hr = FillCount(ulcNodeDescriptors, 1, ulcNodeDescriptorsMax);
    if (hr == S_OK && rgNodeDescriptors) rgNodeDescriptors[0] = BDANODE_DESCRIPTOR{0, GUID_NULL, GUID_NULL};
    return hr;
}

STDMETHODIMP TunerFilter::GetNodeInterfaces(ULONG ulNodeType, ULONG* pulcInterfaces, ULONG ulcInterfacesMax,
                                            GUID rgguidInterfaces[])
{
    if (ulNodeType != 0) return E_INVALIDARG;
    const ULONG count = m_options.statistics ? 1 : 0;
    const HRESULT hr = FillCount(pulcInterfaces, count, ulcInterfacesMax);
    if (hr == S_OK && count && rgguidInterfaces) rgguidInterfaces[0] = IID_IBDA_SignalStatistics;
    return hr;
}

STDMETHODIMP TunerFilter::GetPinTypes(ULONG* pulcPinTypes, ULONG ulcPinTypesMax, ULONG rgulPinTypes[])
{
    const HRESULT hr = FillCount(pulcPinTypes, 2, ulcPinTypesMax);
    if (hr == S_OK && rgulPinTypes) {
        rgulPinTypes[0] = 0;
        rgulPinTypes[1] = 1;
    }
    return hr;
}

STDMETHODIMP TunerFilter::GetTemplateConnections(ULONG* pulcConnections, ULONG ulcConnectionsMax,
                                                 BDA_TEMPLATE_CONNECTION rgConnections[])
{
    const HRESULT hr = FillCount(pulcConnections, 1, ulcConnectionsMax);
    // From the filter's input pin (node type -1 stands for the filter) through node 0 to the output pin.
    if (hr == S_OK && rgConnections) rgConnections[0] = BDA_TEMPLATE_CONNECTION{~0u, 0, 0, 1};
    return hr;
}

STDMETHODIMP TunerFilter::CreatePin(ULONG, ULONG*) { return E_NOTIMPL; }
STDMETHODIMP TunerFilter::DeletePin(ULONG) { return E_NOTIMPL; }
STDMETHODIMP TunerFilter::SetMediaType(ULONG, AM_MEDIA_TYPE*) { return E_NOTIMPL; }
STDMETHODIMP TunerFilter::SetMedium(ULONG, REGPINMEDIUM*) { return E_NOTIMPL; }
STDMETHODIMP TunerFilter::CreateTopology(ULONG, ULONG) { return E_NOTIMPL; }

STDMETHODIMP TunerFilter::GetControlNode(ULONG ulInputPinId, ULONG ulOutputPinId, ULONG ulNodeType,
                                         IUnknown** ppControlNode)
{
    if (!ppControlNode) return E_POINTER;
    *ppControlNode = nullptr;
    if (ulInputPinId != 0 || ulOutputPinId != 1 || ulNodeType != 0) return E_INVALIDARG;
    return CreateTunerControlNode(m_device, m_options.statistics, ppControlNode);
}

} // namespace sim
