#include "filterbase/CUnknown.h"

CUnknown::CUnknown(LPCWSTR /*objectName*/, IUnknown* outer)
    : m_ownUnknown(*this),
      m_owner(outer ? outer : &m_ownUnknown)
{}

CUnknown::~CUnknown() = default;

STDMETHODIMP CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown) {
        return GetInterface(&m_ownUnknown, ppv);
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CUnknown::NonDelegatingAddRef()
{
    const LONG count = InterlockedIncrement(&m_cRef);
    return static_cast<ULONG>(count < 1 ? 1 : count);
}

STDMETHODIMP_(ULONG) CUnknown::NonDelegatingRelease()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        // A destructor that hands out and takes back a reference of its own
        // must not bring the count to zero a second time.
        InterlockedExchange(&m_cRef, 1);
        delete this;
        return 0;
    }
    return static_cast<ULONG>(count < 1 ? 1 : count);
}

HRESULT GetInterface(IUnknown* iface, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = iface;
    iface->AddRef();
    return S_OK;
}
