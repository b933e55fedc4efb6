// CBaseInputPin: the allocator it lends and is told about, flushing,
// CheckStreaming, Inactive and BreakConnect with the allocator, and
// ReceiveMultiple.
#include "filterbase/CBaseInputPin.h"

#include "FilterRig.h"
#include "platform/com/ComPtr.h"
#include "tests/support/TestComObject.h"

namespace {

using CBaseInputPinTest = FilterRig;

// An allocator whose Decommit can fail, counting references and calls.
class FakeAllocator final : public TestComObject<IMemAllocator> {
public:
    FakeAllocator() : TestComObject(1) {}
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES*, ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit() override { return S_OK; }
    STDMETHODIMP Decommit() override
    {
        ++decommits;
        return decommitResult;
    }
    STDMETHODIMP GetBuffer(IMediaSample**, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP ReleaseBuffer(IMediaSample*) override { return E_NOTIMPL; }

    int decommits = 0;
    HRESULT decommitResult = S_OK;
};

TEST_F(CBaseInputPinTest, GetAllocatorCreatesThePlatformAllocatorOnce)
{
    MakePair();
    ComPtr<IMemAllocator> first;
    ComPtr<IMemAllocator> second;
    ASSERT_HR(S_OK, in->GetAllocator(&first));
    ASSERT_HR(S_OK, in->GetAllocator(&second));
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(first.Get(), in->Allocator());
    EXPECT_EQ(3u, refCount(first.Get()));
    EXPECT_HR(E_POINTER, in->GetAllocator(nullptr));

    TestFilter* other = NewFilter();
    TestInputPin* lonely = other->AddPin(std::make_unique<TestInputPin>(other, L"In"));
    UnregisterComClass(CLSID_MemoryAllocator);
    IMemAllocator* none = reinterpret_cast<IMemAllocator*>(0x1);
#ifdef _WIN32
    // With the class revoked, the system's own allocator answers.
    ASSERT_HR(S_OK, lonely->GetAllocator(&none));
    EXPECT_NE(first.Get(), none);
    none->Release();
#else
    // Without the class, creation fails and the failure comes back.
    EXPECT_HR(REGDB_E_CLASSNOTREG, lonely->GetAllocator(&none));
    EXPECT_EQ(nullptr, none);
#endif
}

TEST_F(CBaseInputPinTest, NotifyAllocatorSwapsReferences)
{
    MakePair();
    FakeAllocator a;
    FakeAllocator b;
    EXPECT_HR(E_POINTER, in->NotifyAllocator(nullptr, FALSE));
    ASSERT_HR(S_OK, in->NotifyAllocator(&a, TRUE));
    EXPECT_EQ(2u, a.Refs());
    EXPECT_TRUE(in->IsReadOnly());
    ASSERT_HR(S_OK, in->NotifyAllocator(&b, FALSE));
    EXPECT_EQ(1u, a.Refs());
    EXPECT_EQ(2u, b.Refs());
    EXPECT_FALSE(in->IsReadOnly());
    EXPECT_EQ(&b, in->Allocator());
    ALLOCATOR_PROPERTIES props{};
    EXPECT_HR(E_NOTIMPL, in->CBaseInputPin::GetAllocatorRequirements(&props));

    // BreakConnect: a failing Decommit keeps the allocator; a good one releases it.
    b.decommitResult = E_FAIL;
    EXPECT_HR(E_FAIL, in->CBaseInputPin::BreakConnect());
    EXPECT_EQ(2u, b.Refs());
    b.decommitResult = S_OK;
    EXPECT_HR(S_OK, in->CBaseInputPin::BreakConnect());
    EXPECT_EQ(1u, b.Refs());
    EXPECT_EQ(nullptr, in->Allocator());
    EXPECT_HR(S_OK, in->CBaseInputPin::BreakConnect()) << "nothing to release";
}

TEST_F(CBaseInputPinTest, InactiveDecommitsAndClearsFlags)
{
    MakePair();
    EXPECT_HR(VFW_E_NO_ALLOCATOR, in->CBaseInputPin::Inactive());
    FakeAllocator allocator;
    ASSERT_HR(S_OK, in->NotifyAllocator(&allocator, FALSE));
    ASSERT_HR(S_OK, in->BeginFlush());
    EXPECT_TRUE(in->IsFlushing());
    allocator.decommitResult = E_UNEXPECTED;
    EXPECT_HR(E_UNEXPECTED, in->CBaseInputPin::Inactive());
    EXPECT_FALSE(in->IsFlushing());
    EXPECT_EQ(1, allocator.decommits);
    allocator.decommitResult = S_OK;
    EXPECT_HR(S_OK, in->CBaseInputPin::BreakConnect());
}

TEST_F(CBaseInputPinTest, CheckStreamingFollowsStateAndFlushing)
{
    MakePair();
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    EXPECT_HR(VFW_E_WRONG_STATE, in->CheckStreaming()) << "stopped";
    ASSERT_HR(S_OK, downstream->Run(0));
    EXPECT_HR(S_OK, in->CheckStreaming());
    ASSERT_HR(S_OK, in->BeginFlush());
    EXPECT_HR(S_FALSE, in->CheckStreaming()) << "flushing";
    ASSERT_HR(S_OK, in->EndFlush());
    EXPECT_HR(S_OK, in->CheckStreaming());
    ASSERT_HR(S_OK, downstream->Stop());
}

TEST_F(CBaseInputPinTest, ReceiveMultipleStopsAtTheFirstSampleNotTakenWithSOk)
{
    struct Case {
        const char* name;
        std::vector<HRESULT> answers;
        HRESULT expected;
        LONG processed;
        int received;
    };
    const Case cases[] = {
        {"all taken", {}, S_OK, 3, 3},
        {"second refused", {S_OK, S_FALSE}, S_FALSE, 1, 2},
        {"first fails", {E_FAIL}, E_FAIL, 0, 1},
    };
    IMediaSample* samples[3] = {reinterpret_cast<IMediaSample*>(0x10), reinterpret_cast<IMediaSample*>(0x20),
                                reinterpret_cast<IMediaSample*>(0x30)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakePair();
        in->receiveResults = c.answers;
        LONG processed = -1;
        EXPECT_HR(c.expected, in->ReceiveMultiple(samples, 3, &processed));
        EXPECT_EQ(c.processed, processed);
        EXPECT_EQ(c.received, in->receive.load());
    }
    LONG processed = 0;
    EXPECT_HR(E_POINTER, in->ReceiveMultiple(nullptr, 1, &processed));
}

} // namespace
