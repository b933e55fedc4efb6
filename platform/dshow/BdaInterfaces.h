#pragma once
// The broadcast device topology of a tuner filter and the signal statistics
// of its control nodes, with the Windows SDK's method order and signatures.
// Signal strength and quality are the driver's numbers; locked and present
// are BOOLEAN (0 or 1).
#include "platform/com/OleAuto.h"
#include "platform/com/Unknown.h"
#include "platform/dshow/MediaTypes.h"

#ifdef _WIN32
#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>
#include <bdatypes.h>
#include <bdamedia.h>
#include <bdaiface.h>
#else

struct BDANODE_DESCRIPTOR {
    ULONG ulBdaNodeType;
    GUID guidFunction;
    GUID guidName;
};

struct BDA_TEMPLATE_CONNECTION {
    ULONG FromNodeType;
    ULONG FromNodePinType;
    ULONG ToNodeType;
    ULONG ToNodePinType;
};

struct REGPINMEDIUM {
    CLSID clsMedium;
    DWORD dw1;
    DWORD dw2;
};

struct IBDA_Topology : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetNodeTypes(ULONG* pulcNodeTypes, ULONG ulcNodeTypesMax,
                                                   ULONG rgulNodeTypes[]) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNodeDescriptors(ULONG* ulcNodeDescriptors, ULONG ulcNodeDescriptorsMax,
                                                         BDANODE_DESCRIPTOR rgNodeDescriptors[]) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNodeInterfaces(ULONG ulNodeType, ULONG* pulcInterfaces, ULONG ulcInterfacesMax,
                                                        GUID rgguidInterfaces[]) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPinTypes(ULONG* pulcPinTypes, ULONG ulcPinTypesMax, ULONG rgulPinTypes[]) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTemplateConnections(ULONG* pulcConnections, ULONG ulcConnectionsMax,
                                                             BDA_TEMPLATE_CONNECTION rgConnections[]) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePin(ULONG ulPinType, ULONG* pulPinId) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeletePin(ULONG ulPinId) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMediaType(ULONG ulPinId, AM_MEDIA_TYPE* pMediaType) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMedium(ULONG ulPinId, REGPINMEDIUM* pMedium) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTopology(ULONG ulInputPinId, ULONG ulOutputPinId) = 0;
    // The control node of type ulNodeType between the two pins; one
    // reference for the caller.
    virtual HRESULT STDMETHODCALLTYPE GetControlNode(ULONG ulInputPinId, ULONG ulOutputPinId, ULONG ulNodeType,
                                                     IUnknown** ppControlNode) = 0;

protected:
    ~IBDA_Topology() = default;
};
KAVRO_DECLARE_IID(IBDA_Topology, "{79B56888-7FEA-4690-B45D-38FD3C7849BE}");

struct IBDA_SignalStatistics : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE put_SignalStrength(LONG lDbStrength) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SignalStrength(LONG* plDbStrength) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SignalQuality(LONG lPercentQuality) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SignalQuality(LONG* plPercentQuality) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SignalPresent(BOOLEAN fPresent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SignalPresent(BOOLEAN* pfPresent) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SignalLocked(BOOLEAN fLocked) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SignalLocked(BOOLEAN* pfLocked) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SampleTime(LONG lmsSampleTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SampleTime(LONG* plmsSampleTime) = 0;

protected:
    ~IBDA_SignalStatistics() = default;
};
KAVRO_DECLARE_IID(IBDA_SignalStatistics, "{1347D106-CF3A-428A-A5CB-AC0D9A2A4338}");

// The connection between a network provider and a tuner carries no samples;
// it is of this major type.
inline constexpr GUID KSDATAFORMAT_TYPE_BDA_ANTENNA = GuidLiteral("{71985F41-1CA1-11D3-9CC8-00C04F7971E0}");
#endif
