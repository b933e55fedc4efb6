#pragma once
// CBasePin: IPin and IQualityControl for a pin of a CBaseFilter, with the
// connection logic both directions share. A concrete pin supplies
// CheckMediaType, GetMediaType, QueryInternalConnections, NewSegment,
// BeginFlush and EndFlush (CBaseInputPin and CBaseOutputPin supply the last two).
//
// Reference counting: a pin has no count of its own; AddRef and Release are
// its filter's, so a pin reference keeps the filter alive. The filter owns
// and deletes its pins.
//
// Locking: connection, disconnection, ConnectionMediaType and SetSink run
// under the filter lock. QueryPinInfo, QueryDirection, QueryId and
// ConnectedTo take no filter lock. A connection is made and broken only
// while the filter is Stopped.
#include "filterbase/CCritSec.h"
#include "filterbase/CUnknown.h"
#include "filterbase/MediaTypeValue.h"
#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"

#include <atomic>
#include <mutex>
#include <string>

class CBaseFilter;

class CBasePin : public CUnknown, public IPin, public IQualityControl {
public:
    // filter: the owning filter, not counted. lock: the filter's lock.
    // pinName: copied; QueryId and FindPin use it.
    CBasePin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName, PIN_DIRECTION direction);
    ~CBasePin() override;

    DECLARE_IUNKNOWN

    // IPin and IQualityControl, then CUnknown's answers.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    // The filter's count.
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // Hooks, in slot order.
    virtual LONG GetMediaTypeVersion();
    // The filter leaves Stopped (S_OK by default).
    virtual HRESULT Active();
    // The filter returns to Stopped (clears the run-time error flag; S_OK).
    virtual HRESULT Inactive();
    // The filter enters Running with this start time (S_OK by default).
    virtual HRESULT Run(REFERENCE_TIME tStart);
    // S_OK accepts the type; anything else refuses it. Never null.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) = 0;
    // Keeps the agreed type as the connection type (E_OUTOFMEMORY on failure).
    virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* pmt);
    // VFW_E_INVALID_DIRECTION for a peer of this pin's direction, else S_OK.
    virtual HRESULT CheckConnect(IPin* pPin);
    // Undoes what CheckConnect and CompleteConnect set up (S_OK by default).
    virtual HRESULT BreakConnect();
    virtual HRESULT CompleteConnect(IPin* pReceivePin);
    // The preferred type at position (0-based) into pMediaType: S_OK,
    // VFW_S_NO_MORE_ITEMS past the last, E_INVALIDARG for a negative position.
    virtual HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) = 0;

    // IPin
    STDMETHODIMP Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pPin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* pInfo) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* pPinDir) override;
    STDMETHODIMP QueryId(LPWSTR* Id) override;
    // S_FALSE when CheckMediaType fails; its success code otherwise.
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    STDMETHODIMP EndOfStream() override;

    // IQualityControl: Notify does nothing; SetSink keeps the sink uncounted.
    STDMETHODIMP Notify(IBaseFilter* pSelf, Quality q) override;
    STDMETHODIMP SetSink(IQualityControl* piqc) override;

    // For filters and concrete pins.
    bool IsConnected() const { return m_Connected.Get() != nullptr; }
    // The peer, not counted; null when not connected. Stable while the filter is not Stopped.
    IPin* GetConnected() const { return m_Connected.Get(); }
    bool IsStopped() const;
    LPCWSTR Name() const { return m_pName.c_str(); }
    PIN_DIRECTION Direction() const { return m_dir; }
    const MediaTypeValue& CurrentMediaType() const { return m_mt; }
    CBaseFilter* Filter() const { return m_pFilter; }
    // Call when the types GetMediaType offers change: enumerators then report
    // VFW_E_ENUM_OUT_OF_SYNC.
    void IncrementTypeVersion() { ++m_TypeVersion; }

protected:
    // Breaks the connection regardless of the filter state: S_FALSE when not
    // connected; BreakConnect's failure keeps the connection. Under the lock.
    HRESULT DisconnectInternal();
    // Chooses a media type with the receiving pin and connects (this pin starts the connection).
    HRESULT AgreeMediaType(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt);
    // Tries each type of the enumerator that matches pmt (any type without one).
    HRESULT TryMediaTypes(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt, IEnumMediaTypes* pEnum);
    // Connects with exactly this type, or leaves the pin unconnected.
    HRESULT AttemptConnection(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt);
    // Sets or clears the peer (adding a reference to the new one).
    void SetConnected(IPin* peer);

    const std::wstring m_pName;
    ComPtr<IPin> m_Connected;
    const PIN_DIRECTION m_dir;
    CCritSec* const m_pLock;
    std::atomic<bool> m_bRunTimeError{false};
    bool m_bCanReconnectWhenActive = false;
    bool m_bTryMyTypesFirst = false;
    CBaseFilter* const m_pFilter;
    IQualityControl* m_pQSink = nullptr;
    std::atomic<LONG> m_TypeVersion{1};
    MediaTypeValue m_mt;

private:
    // ConnectedTo reads the peer without the filter lock; the peer changes
    // under both locks. A leaf lock: nothing is called out while it is held
    // but the peer's AddRef.
    mutable std::mutex m_peerLock;
};
