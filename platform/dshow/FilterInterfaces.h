#pragma once
// The interfaces of filters and pins, with the Windows SDK's method order and
// signatures: IPersist, IMediaFilter, IBaseFilter, IPin, IEnumPins,
// IEnumMediaTypes, IQualityControl and IAMovieSetup, and their records.
// The registration records (AMOVIESETUP_*) belong to the filter framework
// (filterbase/AMovieSetup.h).
// Every method that hands out an interface adds one reference for the caller.
#include "platform/com/Unknown.h"
#include "platform/dshow/DShowTypes.h"
#include "platform/dshow/MediaTypes.h"

#ifdef _WIN32
#include <dshow.h>
#else

struct IBaseFilter;
struct IEnumMediaTypes;
struct IEnumPins;
struct IFilterGraph;
struct IPin;
struct IReferenceClock;

struct PIN_INFO {
    IBaseFilter* pFilter; // counted: the receiver releases it
    PIN_DIRECTION dir;
    WCHAR achName[MAX_PIN_NAME];
};

struct FILTER_INFO {
    WCHAR achName[MAX_FILTER_NAME];
    IFilterGraph* pGraph; // counted when not null: the receiver releases it
};

struct IPersist : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) = 0;

protected:
    ~IPersist() = default;
};
KAVRO_DECLARE_IID(IPersist, "{0000010C-0000-0000-C000-000000000046}");

struct IMediaFilter : IPersist {
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE Pause() = 0;
    virtual HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME tStart) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* pClock) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** pClock) = 0;

protected:
    ~IMediaFilter() = default;
};
KAVRO_DECLARE_IID(IMediaFilter, "{56A86899-0AD4-11CE-B03A-0020AF0BA770}");

struct IBaseFilter : IMediaFilter {
    virtual HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR Id, IPin** ppPin) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* pInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) = 0;
    // The vendor text is task-allocated; the caller frees it with CoTaskMemFree.
    virtual HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* pVendorInfo) = 0;

protected:
    ~IBaseFilter() = default;
};
KAVRO_DECLARE_IID(IBaseFilter, "{56A86895-0AD4-11CE-B03A-0020AF0BA770}");

struct IPin : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) = 0;
    virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;
    virtual HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pPin) = 0;
    // The receiver owns the copied format block (FreeMediaType).
    virtual HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* pmt) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* pInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* pPinDir) = 0;
    // The id is task-allocated; the caller frees it with CoTaskMemFree.
    virtual HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* Id) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* pmt) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** apPin, ULONG* nPin) = 0;
    virtual HRESULT STDMETHODCALLTYPE EndOfStream() = 0;
    virtual HRESULT STDMETHODCALLTYPE BeginFlush() = 0;
    virtual HRESULT STDMETHODCALLTYPE EndFlush() = 0;
    virtual HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) = 0;

protected:
    ~IPin() = default;
};
KAVRO_DECLARE_IID(IPin, "{56A86891-0AD4-11CE-B03A-0020AF0BA770}");

struct IEnumPins : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG cPins) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumPins** ppEnum) = 0;

protected:
    ~IEnumPins() = default;
};
KAVRO_DECLARE_IID(IEnumPins, "{56A86892-0AD4-11CE-B03A-0020AF0BA770}");

struct IEnumMediaTypes : IUnknown {
    // Each returned record is task-allocated; the caller frees it with DeleteMediaType.
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG cMediaTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** ppEnum) = 0;

protected:
    ~IEnumMediaTypes() = default;
};
KAVRO_DECLARE_IID(IEnumMediaTypes, "{89C31040-846B-11CE-97D3-00AA0055595A}");

enum QualityMessageType { Famine = 0, Flood = 1 };

struct Quality {
    QualityMessageType Type;
    LONG Proportion; // 1000 = as fast as wanted
    REFERENCE_TIME Late;
    REFERENCE_TIME TimeStamp;
};

struct IQualityControl : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Notify(IBaseFilter* pSelf, Quality q) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSink(IQualityControl* piqc) = 0;

protected:
    ~IQualityControl() = default;
};
KAVRO_DECLARE_IID(IQualityControl, "{56A868A5-0AD4-11CE-B03A-0020AF0BA770}");

struct IAMovieSetup : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Register() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unregister() = 0;

protected:
    ~IAMovieSetup() = default;
};
KAVRO_DECLARE_IID(IAMovieSetup, "{A3D8CEC0-7E5A-11CF-BBC5-00805F6CEF20}");
#endif
