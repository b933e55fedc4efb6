// CEnumMediaTypes: Next, Skip, Reset and Clone over a pin's offered types,
// and the media type version.
#include "filterbase/CEnumMediaTypes.h"

#include "FilterRig.h"
#include "filterbase/MediaTypeFunctions.h"
#include "platform/com/ComPtr.h"

#include <algorithm>

namespace {

class CEnumMediaTypesTest : public FilterRig {
protected:
    void SetUp() override
    {
        FilterRig::SetUp();
        TestFilter* filter = NewFilter();
        pin = filter->AddPin(std::make_unique<TestInputPin>(filter, L"In"));
        for (const GUID& sub : {kSubA, kSubB, kSubC}) {
            pin->offered.push_back(TypeOf(MEDIATYPE_Stream, sub));
        }
        ASSERT_HR(S_OK, pin->EnumMediaTypes(&enumerator));
    }
    void TearDown() override
    {
        enumerator = nullptr;
        FilterRig::TearDown();
    }

    // The subtypes of up to n fetched types, which are freed.
    std::vector<GUID> Take(ULONG n, HRESULT expected)
    {
        std::vector<AM_MEDIA_TYPE*> got(std::max<ULONG>(n, 1), nullptr);
        ULONG fetched = 99;
        EXPECT_HR(expected, enumerator->Next(n, got.data(), &fetched));
        std::vector<GUID> subtypes;
        for (ULONG i = 0; i < fetched; ++i) {
            subtypes.push_back(got[i]->subtype);
            DeleteMediaType(got[i]);
        }
        return subtypes;
    }

    TestInputPin* pin = nullptr;
    ComPtr<IEnumMediaTypes> enumerator;
};

TEST_F(CEnumMediaTypesTest, NextCopiesTheOfferedTypes)
{
    AM_MEDIA_TYPE* one = nullptr;
    ASSERT_HR(S_OK, enumerator->Next(1, &one, nullptr));
    EXPECT_EQ(kSubA, one->subtype);
    EXPECT_EQ(MEDIATYPE_Stream, one->majortype);
    DeleteMediaType(one);
    AM_MEDIA_TYPE* two[2] = {};
    EXPECT_HR(E_INVALIDARG, enumerator->Next(2, two, nullptr));
    EXPECT_HR(E_POINTER, enumerator->Next(1, nullptr, nullptr));
    EXPECT_EQ((std::vector<GUID>{kSubB, kSubC}), Take(3, S_FALSE));
    EXPECT_TRUE(Take(1, S_FALSE).empty());
    EXPECT_TRUE(Take(0, S_OK).empty());
}

TEST_F(CEnumMediaTypesTest, SkipAndClone)
{
    struct Case {
        const char* name;
        ULONG skip;
        HRESULT expected;
        std::vector<GUID> next;
    };
    const Case cases[] = {
        {"nothing", 0, S_OK, {kSubA, kSubB, kSubC}},
        {"one", 1, S_OK, {kSubB, kSubC}},
        {"to the last", 3, S_OK, {}},
        {"past the last", 4, S_FALSE, {}},
        {"far past", 0xFFFFFFFFu, S_FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_HR(S_OK, enumerator->Reset());
        EXPECT_HR(c.expected, enumerator->Skip(c.skip));
        ComPtr<IEnumMediaTypes> clone;
        ASSERT_HR(S_OK, enumerator->Clone(&clone));
        EXPECT_EQ(c.next, Take(3, c.next.size() == 3 ? S_OK : S_FALSE));
        AM_MEDIA_TYPE* fromClone = nullptr;
        ULONG fetched = 0;
        clone->Next(1, &fromClone, &fetched);
        EXPECT_EQ(c.next.empty() ? 0u : 1u, fetched) << "the clone starts where the original was";
        DeleteMediaType(fromClone);
    }
}

TEST_F(CEnumMediaTypesTest, TypeVersionChangeMakesItOutOfSyncUntilReset)
{
    ASSERT_EQ(1u, Take(1, S_OK).size());
    pin->IncrementTypeVersion();
    AM_MEDIA_TYPE* type = nullptr;
    ULONG fetched = 0;
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Next(1, &type, &fetched));
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Skip(1));
    EXPECT_HR(S_OK, enumerator->Skip(0));
    IEnumMediaTypes* clone = reinterpret_cast<IEnumMediaTypes*>(0x1);
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Clone(&clone));
    EXPECT_EQ(nullptr, clone);
    ASSERT_HR(S_OK, enumerator->Reset());
    EXPECT_EQ(3u, Take(3, S_OK).size());
}

TEST_F(CEnumMediaTypesTest, EnumeratorHoldsThePinsFilter)
{
    IBaseFilter* filter = pin->Filter();
    EXPECT_EQ(2u, refCount(filter)); // fixture and enumerator
    enumerator = nullptr;
    EXPECT_EQ(1u, refCount(filter));
}

} // namespace
