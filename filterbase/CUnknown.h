#pragma once
// CUnknown: the base of every framework object. It holds the owning unknown
// (the aggregating object if one is given, else the object itself) and a
// reference count that starts at 0 and changes only by interlocked steps.
//
// A derived class answers its interfaces in NonDelegatingQueryInterface and
// forwards QueryInterface, AddRef and Release of each interface to the owner
// with DECLARE_IUNKNOWN.
#include "platform/com/Sync.h"
#include "platform/com/Unknown.h"

// The object's own unknown: what an aggregating owner calls, and what the
// object's interfaces reach through GetOwner() when nobody aggregates it.
struct INonDelegatingUnknown {
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;

protected:
    ~INonDelegatingUnknown() = default;
};

class CUnknown : public INonDelegatingUnknown {
public:
    // objectName is for diagnostics only and may be null. outer: the
    // aggregating object, not counted, or null.
    CUnknown(LPCWSTR objectName, IUnknown* outer);
    virtual ~CUnknown();
    CUnknown(const CUnknown&) = delete;
    CUnknown& operator=(const CUnknown&) = delete;

    // IUnknown gives the object's own unknown; anything else E_NOINTERFACE
    // and a null result; a null out-pointer E_POINTER.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    // The new count, never less than 1.
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    // At zero the count is raised back to 1 (so nothing re-enters the
    // destruction), the object is deleted and 0 returned; otherwise the
    // count, never less than 1.
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // Where every interface of the object forwards its IUnknown methods. Not counted.
    IUnknown* GetOwner() const { return m_owner; }

protected:
    volatile LONG m_cRef = 0;

private:
    // The object's unknown as an IUnknown, forwarding to the non-delegating methods.
    class OwnUnknown final : public IUnknown {
    public:
        explicit OwnUnknown(CUnknown& object) : m_object(object) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            return m_object.NonDelegatingQueryInterface(riid, ppv);
        }
        STDMETHODIMP_(ULONG) AddRef() override { return m_object.NonDelegatingAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_object.NonDelegatingRelease(); }

    private:
        CUnknown& m_object;
    };

    OwnUnknown m_ownUnknown;
    IUnknown* const m_owner;
};

// Hands out iface with one reference added: *ppv = iface, S_OK.
HRESULT GetInterface(IUnknown* iface, void** ppv);

// The IUnknown methods of every interface of a CUnknown-derived class.
#define DECLARE_IUNKNOWN                                                                                               \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return GetOwner()->QueryInterface(riid, ppv); }    \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }                                            \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }
