#pragma once
// A fresh apartment, the platform allocator class, and test filters that
// must be gone (count back to zero, deleted) when each test ends, with no
// simulated object left alive.
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/Uuids.h"
#include "runtime/graph/MemAllocator.h"
#include "tests/support/ComAssert.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TestPins.h"

#include <gtest/gtest.h>

#include <memory>

// A media type with only the fields negotiation looks at.
inline MediaTypeValue TypeOf(const GUID& major, const GUID& sub, const GUID& format = GUID_NULL)
{
    MediaTypeValue type(major);
    type.subtype = sub;
    type.formattype = format;
    return type;
}

class FilterRig : public ::testing::Test {
protected:
    // A test filter with one reference held by the fixture.
    struct Held {
        CCritSec lock;
        bool destroyed = false;
        TestFilter* filter = nullptr;
    };

    void SetUp() override
    {
        m_live.Start();
        ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        runtime::RegisterMemAllocatorClass();
    }
    void TearDown() override
    {
        for (auto& held : m_filters) {
            // Connections hold the peer filter: break them before the last references go.
            for (int i = 0; i < held->filter->GetPinCount(); ++i) {
                if (CBasePin* pin = held->filter->GetPin(i)) {
                    held->filter->Stop();
                    pin->Disconnect();
                }
            }
        }
        for (auto& held : m_filters) {
            EXPECT_EQ(0u, static_cast<IBaseFilter*>(held->filter)->Release()) << "references left on a test filter";
            EXPECT_TRUE(held->destroyed);
        }
        m_filters.clear();
        UnregisterComClass(CLSID_MemoryAllocator);
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    TestFilter* NewFilter()
    {
        auto held = std::make_unique<Held>();
        held->filter = new TestFilter(&held->lock, &held->destroyed);
        static_cast<IBaseFilter*>(held->filter)->AddRef();
        m_filters.push_back(std::move(held));
        return m_filters.back()->filter;
    }

    // An upstream filter with an output pin and a downstream one with an
    // input pin, not connected.
    void MakePair()
    {
        upstream = NewFilter();
        downstream = NewFilter();
        out = upstream->AddPin(std::make_unique<TestOutputPin>(upstream, L"Out"));
        in = downstream->AddPin(std::make_unique<TestInputPin>(downstream, L"In"));
        out->offered.push_back(TypeOf(MEDIATYPE_Stream, MEDIASUBTYPE_MPEG2_TRANSPORT, FORMAT_None));
    }

    TestFilter* upstream = nullptr;
    TestFilter* downstream = nullptr;
    TestOutputPin* out = nullptr;
    TestInputPin* in = nullptr;

private:
    std::vector<std::unique_ptr<Held>> m_filters;
    SimObjectCheck m_live;
};

inline constexpr GUID kSubA = GuidLiteral("{0000000A-0000-0010-8000-00AA00389B71}");
inline constexpr GUID kSubB = GuidLiteral("{0000000B-0000-0010-8000-00AA00389B71}");
inline constexpr GUID kSubC = GuidLiteral("{0000000C-0000-0010-8000-00AA00389B71}");
