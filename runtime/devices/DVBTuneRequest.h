#pragma once
// A DVB tune request (made by a tuning space's CreateTuneRequest, or by
// CLSID_DVBTuneRequest without one): the tuning space it belongs to, a
// locator and the network, transport stream and service identifiers (-1 =
// not set). The request holds counted references to both objects. Any thread.
#include "platform/com/ComPtr.h"
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/ComObject.h"

#include <mutex>

namespace runtime {

class DVBTuneRequest final : public ComObject<DVBTuneRequest, DispatchWithoutTypeInfo<IDVBTuneRequest>> {
public:
    // Class factory (CLSID_DVBTuneRequest): a request of no tuning space.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);
    // A new request of tuningSpace (may be null) without a locator; one
    // reference for the caller.
    static IDVBTuneRequest* Create(ITuningSpace* tuningSpace);

    // ITuneRequest
    STDMETHODIMP get_TuningSpace(ITuningSpace** TuningSpace) override;
    // Component lists are not kept by this platform: E_NOTIMPL.
    STDMETHODIMP get_Components(IComponents** Components) override;
    // A new request of the same tuning space with a clone of the locator.
    STDMETHODIMP Clone(ITuneRequest** NewTuneRequest) override;
    // S_FALSE and a null locator when none was put.
    STDMETHODIMP get_Locator(ILocator** Locator) override;
    // Keeps a reference to Locator; E_POINTER for null.
    STDMETHODIMP put_Locator(ILocator* Locator) override;

    // IDVBTuneRequest
    STDMETHODIMP get_ONID(LONG* ONID) override;
    STDMETHODIMP put_ONID(LONG ONID) override;
    STDMETHODIMP get_TSID(LONG* TSID) override;
    STDMETHODIMP put_TSID(LONG TSID) override;
    STDMETHODIMP get_SID(LONG* SID) override;
    STDMETHODIMP put_SID(LONG SID) override;

private:
    explicit DVBTuneRequest(ITuningSpace* tuningSpace) : m_tuningSpace(tuningSpace) {}
    void* FindInterface(REFIID riid) override;
    HRESULT GetId(const LONG& id, LONG* out);
    HRESULT PutId(LONG& id, LONG value);

    std::mutex m_lock;
    ComPtr<ITuningSpace> m_tuningSpace;
    ComPtr<ILocator> m_locator;
    LONG m_onid = -1;
    LONG m_tsid = -1;
    LONG m_sid = -1;
};

} // namespace runtime
