#pragma once
// CEnumPins: IEnumPins over a CBaseFilter's pins. It holds a reference on the
// filter for its whole life and takes no lock: it reads the filter's pin
// count and version each time it is used and notices changes by the version.
// After a change, Next starts again at the first pin but skips the pins it
// has already returned since the last Reset; Skip and Clone report
// VFW_E_ENUM_OUT_OF_SYNC until Reset. A Next that fails hands out nothing and
// moves nothing: the pins it gave back count as not returned.
//
// Reference counting: its own count, starting at 1 for the creator; it
// deletes itself at zero. One thread at a time.
#include "platform/dshow/FilterInterfaces.h"

#include <atomic>
#include <vector>

class CBaseFilter;
class CBasePin;

class CEnumPins final : public IEnumPins {
public:
    // A new enumerator for filter (at the first pin), or a copy of other's
    // position, count, version and returned pins. One reference for *ppEnum;
    // E_OUTOFMEMORY.
    static HRESULT Create(CBaseFilter* filter, const CEnumPins* other, IEnumPins** ppEnum);

    CEnumPins(const CEnumPins&) = delete;
    CEnumPins& operator=(const CEnumPins&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IEnumPins
    STDMETHODIMP Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cPins) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** ppEnum) override;

private:
    CEnumPins(CBaseFilter* filter, const CEnumPins* other);
    ~CEnumPins();

    bool AreWeOutOfSync() const;

    int m_Position = 0;
    int m_PinCount = 0;
    CBaseFilter* const m_pFilter; // counted
    LONG m_Version = 0;
    std::atomic<LONG> m_cRef{1};
    std::vector<CBasePin*> m_PinCache; // returned since the last Reset; compared, never dereferenced
};
