#pragma once
// The tuner filter of a DVB frontend in the broadcast network tuner category,
// built as the simulated Kavro tuner filter is, so the program meets the
// same thing: an input pin "Input0" for the network provider's antenna
// connection, an output pin "MPEG2 Transport" carrying the adapter's medium
// (IDvbPinMedium) towards its capture filter, neither carrying samples.
//
// A tune request (ISimTuneTarget) becomes a DVB v5 tune of the frontend; the
// driver's property sets (IKsPropertySet on the filter and on the input pin)
// are answered from the frontend (DvbDriver); the broadcast topology has one
// control node, type 0, between pins 0 and 1, whose IBDA_SignalStatistics
// reads the frontend's lock, strength and C/N.
//
// The frontend is opened when the filter is created and closed with it.
//
// Threads: tune requests and topology calls on the application's thread;
// property calls and statistics from any thread (the frontend serialises).
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBasePin.h"
#include "platform/dshow/BdaInterfaces.h"
#include "platform/dshow/KsPropertySet.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/ISimTuneTarget.h"
#include "dvb/IDvbPinMedium.h"
#include "dvb/DvbTunerDevice.h"

#include <memory>
#include <string>

namespace dvb {

// The class identifier the tuner filter reports.
inline constexpr CLSID CLSID_DvbTunerFilter = GuidLiteral("{7C41D2A8-95B3-4E6F-A0C7-3B8E2D91F465}");

struct DvbTunerFilterOptions {
    std::wstring name = L"DVB Tuner";
    std::wstring inputPin = L"Input0";
    bool filterKs = true;   // IKsPropertySet on the filter
    bool pinKs = true;      // IKsPropertySet on the input pin
    bool topology = true;   // IBDA_Topology on the filter
    bool statistics = true; // IBDA_SignalStatistics on the control node
    ULONG medium = 0;       // instance number of the output pin's medium (DvbTunerMedium)
};

class DvbTunerFilter;

class DvbTunerInputPin final : public CBasePin, public IKsPropertySet {
public:
    DvbTunerInputPin(DvbTunerFilter* filter, CCritSec* lock, const std::wstring& name);
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    // IKsPropertySet: the driver's.
    STDMETHODIMP Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData, LPVOID pPropData,
                     DWORD cbPropData) override;
    STDMETHODIMP Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData, LPVOID pPropData,
                     DWORD cbPropData, DWORD* pcbReturned) override;
    STDMETHODIMP QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport) override;

private:
    DvbTunerFilter* const m_owner;
};

class DvbTunerOutputPin final : public CBasePin, public IDvbPinMedium {
public:
    DvbTunerOutputPin(DvbTunerFilter* filter, CCritSec* lock, ULONG medium);
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IDvbPinMedium
    STDMETHODIMP GetMedium(REGPINMEDIUM* pMedium) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

private:
    const REGPINMEDIUM m_medium;
};

class DvbTunerFilter final : private runtime::FilterLock,
                             public CBaseFilter,
                             public runtime::ISimTuneTarget,
                             public IKsPropertySet,
                             public IBDA_Topology {
public:
    // Creates the filter; one reference for *ppFilter (a device factory).
    static HRESULT Create(std::shared_ptr<DvbTunerDevice> device, const DvbTunerFilterOptions& options,
                          IBaseFilter** ppFilter);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int n) override;

    // ISimTuneTarget
    STDMETHODIMP ApplyTuneRequest(const runtime::SimTuneRequest& request) override;

    // IKsPropertySet: the driver's.
    STDMETHODIMP Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData, LPVOID pPropData,
                     DWORD cbPropData) override;
    STDMETHODIMP Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData, LPVOID pPropData,
                     DWORD cbPropData, DWORD* pcbReturned) override;
    STDMETHODIMP QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport) override;

    // IBDA_Topology: one node type (0), pin types 0 (input) and 1 (output),
    // one template connection through the node. The pins are fixed: CreatePin,
    // DeletePin, SetMediaType, SetMedium and CreateTopology answer E_NOTIMPL.
    STDMETHODIMP GetNodeTypes(ULONG* pulcNodeTypes, ULONG ulcNodeTypesMax, ULONG rgulNodeTypes[]) override;
    STDMETHODIMP GetNodeDescriptors(ULONG* ulcNodeDescriptors, ULONG ulcNodeDescriptorsMax,
                                    BDANODE_DESCRIPTOR rgNodeDescriptors[]) override;
    STDMETHODIMP GetNodeInterfaces(ULONG ulNodeType, ULONG* pulcInterfaces, ULONG ulcInterfacesMax,
                                   GUID rgguidInterfaces[]) override;
    STDMETHODIMP GetPinTypes(ULONG* pulcPinTypes, ULONG ulcPinTypesMax, ULONG rgulPinTypes[]) override;
    STDMETHODIMP GetTemplateConnections(ULONG* pulcConnections, ULONG ulcConnectionsMax,
                                        BDA_TEMPLATE_CONNECTION rgConnections[]) override;
    STDMETHODIMP CreatePin(ULONG ulPinType, ULONG* pulPinId) override;
    STDMETHODIMP DeletePin(ULONG ulPinId) override;
    STDMETHODIMP SetMediaType(ULONG ulPinId, AM_MEDIA_TYPE* pMediaType) override;
    STDMETHODIMP SetMedium(ULONG ulPinId, REGPINMEDIUM* pMedium) override;
    STDMETHODIMP CreateTopology(ULONG ulInputPinId, ULONG ulOutputPinId) override;
    // The control node between pins 0 and 1 of node type 0, one reference
    // for the caller; E_INVALIDARG for any other node.
    STDMETHODIMP GetControlNode(ULONG ulInputPinId, ULONG ulOutputPinId, ULONG ulNodeType,
                                IUnknown** ppControlNode) override;

    DvbTunerDevice& Device() { return *m_device; }
    const DvbTunerFilterOptions& Options() const { return m_options; }

private:
    DvbTunerFilter(std::shared_ptr<DvbTunerDevice> device, const DvbTunerFilterOptions& options);
    ~DvbTunerFilter() override;

    std::shared_ptr<DvbTunerDevice> m_device;
    const DvbTunerFilterOptions m_options;
    std::unique_ptr<DvbTunerInputPin> m_input;
    std::unique_ptr<DvbTunerOutputPin> m_output;
    runtime::SimLiveObject m_live;
};

} // namespace dvb
