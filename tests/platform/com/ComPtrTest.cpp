// ComPtr assignments: each keeps exactly one reference, whatever the source.
#include "platform/com/ComPtr.h"
#include "tests/support/TestComObject.h"

#include <gtest/gtest.h>

namespace {

class Counted final : public TestComObject<IUnknown> {};

TEST(ComPtrTest, AssignmentsKeepOneReference)
{
    Counted a;
    Counted b;
    ComPtr<IUnknown> first(&a);
    ComPtr<IUnknown> second(&b);

    first = second; // copy
    EXPECT_EQ(0u, a.Refs());
    EXPECT_EQ(2u, b.Refs());

    first = ComPtr<IUnknown>(&a); // move from a temporary
    EXPECT_EQ(1u, a.Refs());
    EXPECT_EQ(1u, b.Refs());

    ComPtr<IUnknown>& self = first;
    first = self;            // copy onto itself
    first = std::move(self); // move onto itself
    EXPECT_EQ(1u, a.Refs());
    EXPECT_EQ(&a, first.Get());
}

} // namespace
