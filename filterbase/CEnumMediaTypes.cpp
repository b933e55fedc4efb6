#include "filterbase/CEnumMediaTypes.h"

#include "filterbase/CBasePin.h"
#include "platform/com/TaskMem.h"

#include <climits>
#include <new>

HRESULT CEnumMediaTypes::Create(CBasePin* pin, const CEnumMediaTypes* other, IEnumMediaTypes** ppEnum)
{
    *ppEnum = new (std::nothrow) CEnumMediaTypes(pin, other);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pin, const CEnumMediaTypes* other)
    : m_Position(other ? other->m_Position : 0),
      m_pPin(pin),
      m_Version(other ? other->m_Version : pin->GetMediaTypeVersion())
{
    static_cast<IPin*>(m_pPin)->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes() { static_cast<IPin*>(m_pPin)->Release(); }

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IEnumMediaTypes || riid == IID_IUnknown) {
        *ppv = static_cast<IEnumMediaTypes*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::AddRef() { return static_cast<ULONG>(++m_cRef); }

STDMETHODIMP_(ULONG) CEnumMediaTypes::Release()
{
    const LONG count = --m_cRef;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

bool CEnumMediaTypes::AreWeOutOfSync() const { return m_pPin->GetMediaTypeVersion() != m_Version; }

STDMETHODIMP CEnumMediaTypes::Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched)
{
    if (!ppMediaTypes) {
        return E_POINTER;
    }
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    if (!pcFetched && cMediaTypes > 1) {
        return E_INVALIDARG;
    }
    ULONG fetched = 0;
    while (fetched < cMediaTypes && m_Position < INT_MAX) {
        MediaTypeValue type;
        if (m_pPin->GetMediaType(m_Position++, &type) != S_OK) {
            break;
        }
        auto* record = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
        if (!record) {
            break;
        }
        type.MoveTo(*record);
        ppMediaTypes[fetched++] = record;
    }
    if (pcFetched) {
        *pcFetched = fetched;
    }
    return fetched == cMediaTypes ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG cMediaTypes)
{
    if (cMediaTypes == 0) {
        return S_OK;
    }
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    const long long target = static_cast<long long>(m_Position) + cMediaTypes;
    m_Position = target > INT_MAX ? INT_MAX : static_cast<int>(target);
    MediaTypeValue type;
    return m_pPin->GetMediaType(m_Position - 1, &type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    m_Position = 0;
    m_Version = m_pPin->GetMediaTypeVersion();
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    if (AreWeOutOfSync()) {
        *ppEnum = nullptr;
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    return Create(m_pPin, this, ppEnum);
}
