#pragma once
// Reference counting and QueryInterface for the simulator's objects that are
// not filters (enumerators, monikers, tuning objects, the clock, the graph):
//
//   class Locator final : public ComObject<Locator, DispatchWithoutTypeInfo<IDVBSLocator>> {
//       void* FindInterface(REFIID riid) override; // the interface pointer or null
//   };
//
// Objects start with no reference; whoever creates one takes the first
// (Create* functions return one reference for the caller). The count is
// interlocked, so references may be taken and dropped on any thread; the
// object deletes itself at the last Release. Each object counts among the
// simulator's live objects for its whole life.
#include "platform/com/OleAuto.h"
#include "platform/com/Unknown.h"
#include "runtime/LiveObjects.h"

#include <atomic>
#include <tuple>

namespace runtime {

template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) {
            return E_POINTER;
        }
        void* found = riid == IID_IUnknown ? Identity() : FindInterface(riid);
        *ppv = found;
        if (!found) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_refs.fetch_add(1, std::memory_order_relaxed) + 1; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = m_refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) {
            // Raised back to 1 so that references taken and dropped while
            // the destructor runs (a filter asking the dying graph for an
            // interface) never reach 0 a second time.
            m_refs.store(1, std::memory_order_relaxed);
            delete this; // the destructor is virtual
        }
        return left;
    }

protected:
    virtual ~ComObject() = default;

    // The interface riid (not IUnknown) as a pointer of that type, or null.
    virtual void* FindInterface(REFIID riid) = 0;

    // The object's one IUnknown: the first interface's.
    IUnknown* Identity() { return static_cast<std::tuple_element_t<0, std::tuple<Interfaces...>>*>(this); }

private:
    std::atomic<ULONG> m_refs{0};
    SimLiveObject m_live;
};

// IDispatch for objects that carry no type library: they say so, as a
// Windows object without type information does.
template <class Interface>
class DispatchWithoutTypeInfo : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo) return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo) *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    ~DispatchWithoutTypeInfo() = default;
};

// Hands one new reference to an out-parameter: *out = object, AddRef.
template <class T>
HRESULT ReturnInterface(T* object, T** out)
{
    if (!out) return E_POINTER;
    *out = object;
    if (object) object->AddRef();
    return object ? S_OK : E_FAIL;
}

} // namespace runtime
