#pragma once
// CEnumMediaTypes: IEnumMediaTypes over the types a CBasePin offers through
// its GetMediaType hook. It holds a reference on the pin (and so on its
// filter) for its whole life and takes no lock; a change of the pin's media
// type version makes Next and Skip report VFW_E_ENUM_OUT_OF_SYNC until Reset.
//
// Reference counting: its own count, starting at 1 for the creator; it
// deletes itself at zero. One thread at a time.
#include "platform/dshow/FilterInterfaces.h"

#include <atomic>

class CBasePin;

class CEnumMediaTypes final : public IEnumMediaTypes {
public:
    // A new enumerator for pin (at the first type), or a copy of other's
    // position and version. One reference for *ppEnum; E_OUTOFMEMORY.
    static HRESULT Create(CBasePin* pin, const CEnumMediaTypes* other, IEnumMediaTypes** ppEnum);

    CEnumMediaTypes(const CEnumMediaTypes&) = delete;
    CEnumMediaTypes& operator=(const CEnumMediaTypes&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IEnumMediaTypes: each returned record is task-allocated and owned by
    // the caller (DeleteMediaType).
    STDMETHODIMP Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cMediaTypes) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** ppEnum) override;

private:
    CEnumMediaTypes(CBasePin* pin, const CEnumMediaTypes* other);
    ~CEnumMediaTypes();

    bool AreWeOutOfSync() const;

    int m_Position = 0;
    CBasePin* const m_pPin; // counted
    LONG m_Version = 0;
    std::atomic<LONG> m_cRef{1};
};
