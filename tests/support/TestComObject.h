#pragma once
// Reference counting and QueryInterface for the COM objects tests write by
// hand (a fake graph, clock, allocator, sample, media control, device
// enumerator ...), so each fake holds only what it is about:
//
//   class FakeClock final : public TestComObject<IReferenceClock> {
//       STDMETHODIMP GetTime(REFERENCE_TIME* time) override; ...
//   };
//
// QueryInterface answers IUnknown (the first interface's pointer) and each
// listed interface; a fake that answers more (a base interface such as
// IDispatch, or one offered only on condition) overrides FindInterface.
//
// TestComObject lives where the test puts it (the stack, a member) and never
// deletes itself: Refs() shows what the code under test holds, and a test
// that ends with the count where it started has lost nothing.
// HeapTestComObject deletes itself at its last Release and counts among the
// simulator's live objects while it lives, so a rig's check that every
// simulated object is gone also catches a leaked fake. Counts are atomic:
// references may be taken on any thread.
#include "platform/com/Unknown.h"
#include "runtime/LiveObjects.h"

#include <atomic>
#include <tuple>

template <class... Interfaces>
class TestComObject : public Interfaces... {
public:
    TestComObject(const TestComObject&) = delete;
    TestComObject& operator=(const TestComObject&) = delete;
    virtual ~TestComObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = FindInterface(riid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_refs.fetch_add(1) + 1; }
    STDMETHODIMP_(ULONG) Release() override { return m_refs.fetch_sub(1) - 1; }

    // References held now.
    ULONG Refs() const { return m_refs.load(); }

protected:
    // refs: the references the object starts with (1: the test's own).
    explicit TestComObject(ULONG refs = 0) : m_refs(refs) {}

    // The interface riid as a pointer of that type, or null.
    virtual void* FindInterface(REFIID riid)
    {
        if (riid == IID_IUnknown) return static_cast<std::tuple_element_t<0, std::tuple<Interfaces...>>*>(this);
        void* found = nullptr;
        ((found = found ? found : (riid == uuidof<Interfaces>() ? static_cast<Interfaces*>(this) : nullptr)), ...);
        return found;
    }

    // Drops one reference; true when it was the last.
    bool DropReference(ULONG& left) { return (left = m_refs.fetch_sub(1) - 1) == 0; }

private:
    std::atomic<ULONG> m_refs;
};

template <class... Interfaces>
class HeapTestComObject : public TestComObject<Interfaces...> {
public:
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = 0;
        if (this->DropReference(left)) delete this;
        return left;
    }

protected:
    // Starts with refs references (0: whoever creates it takes the first).
    explicit HeapTestComObject(ULONG refs = 0) : TestComObject<Interfaces...>(refs) {}

private:
    runtime::SimLiveObject m_live;
};
