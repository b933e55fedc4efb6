// ComPtr assignments: each keeps exactly one reference, whatever the source.
#include "platform/com/ComPtr.h"

#include <gtest/gtest.h>

namespace {

class Counted : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 0;
};

TEST(ComPtrTest, AssignmentsKeepOneReference)
{
    Counted a;
    Counted b;
    ComPtr<IUnknown> first(&a);
    ComPtr<IUnknown> second(&b);

    first = second; // copy
    EXPECT_EQ(0u, a.refs);
    EXPECT_EQ(2u, b.refs);

    first = ComPtr<IUnknown>(&a); // move from a temporary
    EXPECT_EQ(1u, a.refs);
    EXPECT_EQ(1u, b.refs);

    ComPtr<IUnknown>& self = first;
    first = self;            // copy onto itself
    first = std::move(self); // move onto itself
    EXPECT_EQ(1u, a.refs);
    EXPECT_EQ(&a, first.Get());
}

} // namespace
