#include "filterbase/CEnumPins.h"

#include "filterbase/CBaseFilter.h"
#include "filterbase/CBasePin.h"

#include <algorithm>
#include <new>

HRESULT CEnumPins::Create(CBaseFilter* filter, const CEnumPins* other, IEnumPins** ppEnum)
{
    *ppEnum = nullptr;
    try {
        *ppEnum = new CEnumPins(filter, other);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

CEnumPins::CEnumPins(CBaseFilter* filter, const CEnumPins* other) : m_pFilter(filter)
{
    if (other) {
        m_Position = other->m_Position;
        m_PinCount = other->m_PinCount;
        m_Version = other->m_Version;
        m_PinCache = other->m_PinCache;
    } else {
        m_PinCount = filter->GetPinCount();
        m_Version = filter->GetPinVersion();
    }
    static_cast<IBaseFilter*>(m_pFilter)->AddRef();
}

CEnumPins::~CEnumPins() { static_cast<IBaseFilter*>(m_pFilter)->Release(); }

STDMETHODIMP CEnumPins::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IEnumPins || riid == IID_IUnknown) {
        *ppv = static_cast<IEnumPins*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumPins::AddRef() { return static_cast<ULONG>(++m_cRef); }

STDMETHODIMP_(ULONG) CEnumPins::Release()
{
    const LONG count = --m_cRef;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

bool CEnumPins::AreWeOutOfSync() const { return m_pFilter->GetPinVersion() != m_Version; }

STDMETHODIMP CEnumPins::Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched)
{
    if (!ppPins) {
        return E_POINTER;
    }
    if (!pcFetched && cPins > 1) {
        return E_INVALIDARG;
    }
    if (pcFetched) {
        *pcFetched = 0;
    }
    if (AreWeOutOfSync()) {
        // The pins changed: start over, but hand out no pin twice.
        m_Version = m_pFilter->GetPinVersion();
        m_PinCount = m_pFilter->GetPinCount();
        m_Position = 0;
    }
    const ULONG left = m_PinCount > m_Position ? static_cast<ULONG>(m_PinCount - m_Position) : 0;
    const ULONG wanted = std::min(cPins, left);
    if (wanted == 0) {
        return S_FALSE;
    }
    // A failed call hands out nothing, so it leaves the enumerator as it found it:
    // the pins it gives back are neither counted as returned nor passed over.
    const int startPosition = m_Position;
    const std::size_t startCached = m_PinCache.size();
    const auto giveBack = [&](ULONG fetched) {
        for (ULONG i = 0; i < fetched; ++i) {
            ppPins[i]->Release();
            ppPins[i] = nullptr;
        }
        m_PinCache.resize(startCached);
        m_Position = startPosition;
    };
    ULONG fetched = 0;
    while (fetched < wanted && m_Position < m_PinCount) {
        CBasePin* pin = m_pFilter->GetPin(m_Position++);
        if (!pin) {
            giveBack(fetched);
            return VFW_E_ENUM_OUT_OF_SYNC;
        }
        if (std::find(m_PinCache.begin(), m_PinCache.end(), pin) != m_PinCache.end()) {
            continue;
        }
        try {
            m_PinCache.push_back(pin);
        } catch (const std::bad_alloc&) {
            giveBack(fetched);
            return E_OUTOFMEMORY;
        }
        ppPins[fetched] = pin;
        pin->AddRef();
        ++fetched;
    }
    if (pcFetched) {
        *pcFetched = fetched;
    }
    return fetched == cPins ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG cPins)
{
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    const ULONG left = m_PinCount > m_Position ? static_cast<ULONG>(m_PinCount - m_Position) : 0;
    if (left < cPins) {
        return S_FALSE;
    }
    m_Position += static_cast<int>(cPins);
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset()
{
    m_Version = m_pFilter->GetPinVersion();
    m_PinCount = m_pFilter->GetPinCount();
    m_Position = 0;
    m_PinCache.clear();
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    if (AreWeOutOfSync()) {
        *ppEnum = nullptr;
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    return Create(m_pFilter, this, ppEnum);
}
