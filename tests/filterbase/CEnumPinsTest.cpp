// CEnumPins: Next, Skip, Reset and Clone, and what a change of the filter's
// pins does to them.
#include "filterbase/CEnumPins.h"

#include "FilterRig.h"
#include "platform/com/ComPtr.h"

#include <algorithm>

namespace {

class CEnumPinsTest : public FilterRig {
protected:
    void SetUp() override
    {
        FilterRig::SetUp();
        filter = NewFilter();
        for (LPCWSTR name : {L"P0", L"P1", L"P2"}) {
            pins.push_back(filter->AddPin(std::make_unique<TestInputPin>(filter, name)));
        }
        ASSERT_HR(S_OK, filter->EnumPins(&enumerator));
    }
    void TearDown() override
    {
        enumerator = nullptr;
        FilterRig::TearDown();
    }

    // Fetches up to n pins, releasing them; returns them in order.
    std::vector<IPin*> Take(ULONG n, HRESULT expected)
    {
        std::vector<IPin*> got(std::max<ULONG>(n, 1), nullptr);
        ULONG fetched = 99;
        EXPECT_HR(expected, enumerator->Next(n, got.data(), &fetched));
        got.resize(fetched);
        for (IPin* pin : got) {
            pin->Release();
        }
        return got;
    }

    TestFilter* filter = nullptr;
    std::vector<CBasePin*> pins;
    ComPtr<IEnumPins> enumerator;
};

TEST_F(CEnumPinsTest, NextHandsOutPinsInOrderWithReferences)
{
    IPin* one = nullptr;
    ASSERT_HR(S_OK, enumerator->Next(1, &one, nullptr)) << "one pin without a fetched count";
    EXPECT_EQ(static_cast<IPin*>(pins[0]), one);
    EXPECT_EQ(3u, refCount(static_cast<IBaseFilter*>(filter))); // fixture, enumerator, pin
    one->Release();

    IPin* two[2] = {};
    EXPECT_HR(E_INVALIDARG, enumerator->Next(2, two, nullptr)) << "two pins need a fetched count";
    EXPECT_HR(E_POINTER, enumerator->Next(1, nullptr, nullptr));

    const std::vector<IPin*> rest = Take(5, S_FALSE);
    ASSERT_EQ(2u, rest.size());
    EXPECT_EQ(static_cast<IPin*>(pins[1]), rest[0]);
    EXPECT_EQ(static_cast<IPin*>(pins[2]), rest[1]);
    EXPECT_TRUE(Take(1, S_FALSE).empty());
    EXPECT_TRUE(Take(0, S_FALSE).empty());
}

TEST_F(CEnumPinsTest, SkipResetAndClone)
{
    EXPECT_HR(S_OK, enumerator->Skip(2));
    EXPECT_HR(S_FALSE, enumerator->Skip(2)) << "fewer than 2 left";
    ComPtr<IEnumPins> clone;
    ASSERT_HR(S_OK, enumerator->Clone(&clone));
    std::vector<IPin*> got = Take(3, S_FALSE);
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ(static_cast<IPin*>(pins[2]), got[0]);

    IPin* fromClone = nullptr;
    ASSERT_HR(S_OK, clone->Next(1, &fromClone, nullptr));
    EXPECT_EQ(static_cast<IPin*>(pins[2]), fromClone) << "the clone keeps the position";
    fromClone->Release();

    ASSERT_HR(S_OK, enumerator->Reset());
    EXPECT_EQ(3u, Take(3, S_OK).size());
    EXPECT_HR(E_POINTER, enumerator->Clone(nullptr));
    expectInterface(enumerator.Get(), IID_IEnumPins, true);
    expectInterface(enumerator.Get(), IID_IUnknown, true);
    expectInterface(enumerator.Get(), IID_IEnumMediaTypes, false);
}

TEST_F(CEnumPinsTest, PinChangeRestartsNextButSkipsReturnedPins)
{
    ASSERT_EQ(2u, Take(2, S_OK).size());
    TestInputPin* p3 = filter->AddPin(std::make_unique<TestInputPin>(filter, L"P3"));

    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Skip(1));
    IEnumPins* clone = reinterpret_cast<IEnumPins*>(0x1);
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Clone(&clone));
    EXPECT_EQ(nullptr, clone);

    // Next starts over at the first pin, skipping P0 and P1 already returned.
    std::vector<IPin*> got = Take(4, S_FALSE);
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(static_cast<IPin*>(pins[2]), got[0]);
    EXPECT_EQ(static_cast<IPin*>(p3), got[1]);

    // Next took the new version; Skip and Clone work again. Reset forgets what was returned.
    EXPECT_HR(S_OK, enumerator->Skip(0));
    ASSERT_HR(S_OK, enumerator->Reset());
    EXPECT_EQ(4u, Take(4, S_OK).size());
}

TEST_F(CEnumPinsTest, MissingPinGivesOutOfSyncAndKeepsNoReferences)
{
    filter->missingPin = 1;
    IPin* got[3] = {};
    ULONG fetched = 99;
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Next(3, got, &fetched));
    EXPECT_EQ(nullptr, got[0]) << "the pin fetched before the gap is given back";
    EXPECT_EQ(2u, refCount(static_cast<IBaseFilter*>(filter))); // fixture and enumerator
}

TEST_F(CEnumPinsTest, PinsGivenBackByAFailedNextAreHandedOutLater)
{
    filter->missingPin = 2;
    IPin* got[3] = {};
    ULONG fetched = 99;
    ASSERT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Next(3, got, &fetched));
    EXPECT_EQ(0u, fetched);

    // The pin comes back with a new version: Next starts over and hands out P0 and P1,
    // which the failed call gave back, as well as P2.
    filter->missingPin = -1;
    filter->AddPin(std::make_unique<TestInputPin>(filter, L"P3"));
    std::vector<IPin*> all = Take(4, S_OK);
    ASSERT_EQ(4u, all.size());
    EXPECT_EQ(static_cast<IPin*>(pins[0]), all[0]);
    EXPECT_EQ(static_cast<IPin*>(pins[1]), all[1]);

    // Without a change of the pins the failed call moved nothing either.
    ASSERT_HR(S_OK, enumerator->Reset());
    filter->missingPin = 1;
    ASSERT_HR(VFW_E_ENUM_OUT_OF_SYNC, enumerator->Next(3, got, &fetched));
    filter->missingPin = -1;
    EXPECT_EQ(4u, Take(4, S_OK).size()) << "the same enumerator, retried, gives every pin";
}

} // namespace
