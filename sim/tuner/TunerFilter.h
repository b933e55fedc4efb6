#pragma once
// The simulated Kavro tuner filter of the broadcast network tuner category:
// an input pin (named as the world says, "Input0" by default) that takes the
// network provider's antenna connection, and an output pin "MPEG2 Transport"
// towards the capture filter; neither carries samples. The output pin carries
// the tuner's medium (ISimPinMedium), which only its own capture filter shares.
//
// It receives tune requests from the network provider (ISimTuneTarget),
// offers the driver's property sets through IKsPropertySet on the filter
// and on the input pin (each as the world allows), and its broadcast
// topology (IBDA_Topology) with one control node, type 0, between input pin
// 0 and output pin 1, whose IBDA_SignalStatistics reads the demodulator.
//
// Threads: tune requests and topology calls on the application's thread;
// property calls and statistics from any thread (the device is thread-safe).
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBasePin.h"
#include "platform/dshow/BdaInterfaces.h"
#include "platform/dshow/KsPropertySet.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/ISimTuneTarget.h"
#include "sim/tuner/ISimPinMedium.h"
#include "sim/tuner/TunerDevice.h"

#include <memory>
#include <string>

namespace sim {

// The class identifier the tuner filter reports.
inline constexpr CLSID CLSID_KavroTunerFilter = GuidLiteral("{3F2A6C1D-8B47-4E25-9D0A-6C5B1E7F2A90}");

struct TunerFilterOptions {
    std::wstring name = L"Kavro Tuner";
    std::wstring inputPin = L"Input0";
    bool filterKs = true;   // IKsPropertySet on the filter
    bool pinKs = true;      // IKsPropertySet on the input pin
    bool topology = true;   // IBDA_Topology on the filter
    bool statistics = true; // IBDA_SignalStatistics on the control node
    ULONG medium = 0;       // instance number of the output pin's medium (KavroTunerMedium)
};

class TunerFilter;

class TunerInputPin final : public CBasePin, public IKsPropertySet {
public:
    TunerInputPin(TunerFilter* filter, CCritSec* lock, const std::wstring& name);
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
    TunerFilter* const m_owner;
};

class TunerOutputPin final : public CBasePin, public ISimPinMedium {
public:
    TunerOutputPin(TunerFilter* filter, CCritSec* lock, ULONG medium);
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // ISimPinMedium
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

class TunerFilter final : private runtime::FilterLock,
                          public CBaseFilter,
                          public runtime::ISimTuneTarget,
                          public IKsPropertySet,
                          public IBDA_Topology {
public:
    // Creates the filter; one reference for *ppFilter (a device factory).
    static HRESULT Create(std::shared_ptr<sim::TunerDevice> device, const TunerFilterOptions& options,
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

    sim::TunerDevice& Device() { return *m_device; }
    const TunerFilterOptions& Options() const { return m_options; }

private:
    TunerFilter(std::shared_ptr<sim::TunerDevice> device, const TunerFilterOptions& options);
    ~TunerFilter() override;

    std::shared_ptr<sim::TunerDevice> m_device;
    const TunerFilterOptions m_options;
    std::unique_ptr<TunerInputPin> m_input;
    std::unique_ptr<TunerOutputPin> m_output;
    runtime::SimLiveObject m_live;
};

} // namespace sim
