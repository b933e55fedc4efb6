// CUnknown: the owning unknown when an object is aggregated.
#include "filterbase/CUnknown.h"

#include "FilterRig.h"
#include "platform/com/ComPtr.h"
#include "tests/support/TestComObject.h"

namespace {

// An outer object that counts what its inner object forwards to it.
class Outer final : public TestComObject<IUnknown> {
public:
    Outer() : TestComObject(1) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        ++queries;
        return TestComObject::QueryInterface(riid, ppv);
    }
    int queries = 0;
};

// The smallest filter that can be aggregated.
class InnerFilter final : public CBaseFilter {
public:
    InnerFilter(IUnknown* outer, CCritSec* lock) : CBaseFilter(nullptr, outer, lock, GUID_NULL) {}
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }
};

TEST(CUnknownTest, AggregatedObjectForwardsToItsOwner)
{
    Outer outer;
    CCritSec lock;
    auto* inner = new InnerFilter(&outer, &lock);
    INonDelegatingUnknown* own = inner;
    EXPECT_EQ(1u, own->NonDelegatingAddRef());
    EXPECT_EQ(&outer, inner->GetOwner());

    IBaseFilter* filter = nullptr;
    ASSERT_HR(S_OK, own->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    // The interface's own IUnknown methods are the owner's.
    EXPECT_EQ(2u, outer.Refs()) << "the query's reference went to the owner";
    IUnknown* viaInterface = nullptr;
    EXPECT_HR(S_OK, filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaInterface)));
    EXPECT_EQ(&outer, viaInterface);
    EXPECT_EQ(1, outer.queries);
    viaInterface->Release();
    filter->Release();
    EXPECT_EQ(1u, outer.Refs());

    // The object's own unknown is not the owner's.
    void* innerUnknown = nullptr;
    ASSERT_HR(S_OK, own->NonDelegatingQueryInterface(IID_IUnknown, &innerUnknown));
    EXPECT_NE(static_cast<void*>(&outer), innerUnknown);
    static_cast<IUnknown*>(innerUnknown)->Release();
    void* none = reinterpret_cast<void*>(0x1);
    EXPECT_HR(E_NOINTERFACE, own->NonDelegatingQueryInterface(IID_IPin, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(0u, own->NonDelegatingRelease());
    EXPECT_EQ(1u, outer.Refs());
}

} // namespace
