// CBaseOutputPin connected to an input pin: allocator negotiation, commit
// and decommit with the filter state, delivery and forwarding.
#include "filterbase/CBaseOutputPin.h"

#include "FilterRig.h"
#include "platform/com/ComPtr.h"

#include <thread>

namespace {

using CBaseOutputPinTest = FilterRig;

TEST_F(CBaseOutputPinTest, ConnectNegotiatesTheAllocator)
{
    struct Case {
        const char* name;
        HRESULT inputGetAllocator;
        bool requirements;
    };
    const Case cases[] = {
        {"the input pin's allocator", S_OK, false},
        {"own allocator when the input pin has none", E_NOTIMPL, false},
        {"the input pin's requirements are honoured", S_OK, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakePair();
        in->failGetAllocator = c.inputGetAllocator;
        in->hasRequirements = c.requirements;
        in->requirements = ALLOCATOR_PROPERTIES{5, 4096, 16, 0};
        ASSERT_HR(S_OK, out->Connect(in, nullptr));
        ASSERT_NE(nullptr, out->Allocator());
        EXPECT_EQ(out->Allocator(), in->Allocator()) << "NotifyAllocator tells the input pin";
        EXPECT_EQ(1, out->decideBufferSize);
        ALLOCATOR_PROPERTIES props{};
        ASSERT_HR(S_OK, out->Allocator()->GetProperties(&props));
        if (c.requirements) {
            EXPECT_EQ(5, props.cBuffers);
            EXPECT_EQ(4096, props.cbBuffer);
            EXPECT_EQ(16, props.cbAlign);
        } else {
            EXPECT_EQ(2, props.cBuffers);
            EXPECT_EQ(188 * 7, props.cbBuffer);
            EXPECT_EQ(1, props.cbAlign) << "no alignment asked: 1";
        }
    }
}

TEST_F(CBaseOutputPinTest, FailedAllocatorNegotiationLeavesBothUnconnected)
{
    MakePair();
    // An alignment no allocator takes: both the input pin's and our own refuse it.
    in->hasRequirements = true;
    in->requirements = ALLOCATOR_PROPERTIES{1, 188, 3, 0};
    EXPECT_HR(VFW_E_BADALIGN, out->Connect(in, nullptr));
    EXPECT_FALSE(out->IsConnected());
    EXPECT_FALSE(in->IsConnected());
    EXPECT_EQ(nullptr, out->Allocator());
}

TEST_F(CBaseOutputPinTest, ActiveCommitsInactiveDecommitsAndFreesAWaitingThread)
{
    MakePair();
    EXPECT_HR(VFW_E_NO_ALLOCATOR, out->CBaseOutputPin::Active());
    IMediaSample* none = nullptr;
    EXPECT_HR(VFW_E_NOT_CONNECTED, out->GetDeliveryBuffer(&none, nullptr, nullptr, 0));
    out->buffers = 1;
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    ASSERT_HR(S_OK, upstream->Run(0));
    ASSERT_HR(S_OK, downstream->Run(0));

    ComPtr<IMediaSample> sample;
    ASSERT_HR(S_OK, out->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_HR(S_OK, out->Deliver(sample.Get()));
    EXPECT_EQ(1, in->receive.load());
    EXPECT_EQ(sample.Get(), in->lastSample);

    // The only buffer is out: a streaming thread waits until the filter stops.
    HRESULT waited = S_OK;
    std::thread streaming([&] {
        IMediaSample* next = nullptr;
        waited = out->GetDeliveryBuffer(&next, nullptr, nullptr, 0);
        if (next) {
            next->Release();
        }
    });
    ASSERT_HR(S_OK, upstream->Stop());
    streaming.join();
    EXPECT_HR(VFW_E_NOT_COMMITTED, waited);
    sample = nullptr;
    ASSERT_HR(S_OK, downstream->Stop());
}

TEST_F(CBaseOutputPinTest, DeliveryCallsForwardDownstream)
{
    MakePair();
    struct Case {
        const char* name;
        HRESULT (*deliver)(CBaseOutputPin&);
        int TestInputPin::*counter;
    };
    const Case cases[] = {
        {"end of stream", [](CBaseOutputPin& p) { return p.DeliverEndOfStream(); }, &TestInputPin::endOfStream},
        {"begin flush", [](CBaseOutputPin& p) { return p.DeliverBeginFlush(); }, &TestInputPin::beginFlush},
        {"end flush", [](CBaseOutputPin& p) { return p.DeliverEndFlush(); }, &TestInputPin::endFlush},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_HR(VFW_E_NOT_CONNECTED, c.deliver(*out));
    }
    EXPECT_HR(VFW_E_NOT_CONNECTED, out->Deliver(nullptr));
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_HR(S_OK, c.deliver(*out));
        EXPECT_EQ(1, in->*c.counter);
    }
    EXPECT_HR(S_OK, out->DeliverNewSegment(0, 10, 1.0));
    EXPECT_EQ(1, in->newSegment);

    // An output pin is never sent these itself.
    IPin* pin = out;
    EXPECT_HR(E_UNEXPECTED, pin->EndOfStream());
    EXPECT_HR(E_UNEXPECTED, pin->BeginFlush());
    EXPECT_HR(E_UNEXPECTED, pin->EndFlush());
}

TEST_F(CBaseOutputPinTest, DisconnectReleasesAllocatorAndInputPin)
{
    MakePair();
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    ComPtr<IMemAllocator> allocator(out->Allocator());
    EXPECT_EQ(3u, refCount(allocator.Get())); // ours, the output pin's, the input pin's
    // The output pin holds the input pin as IPin and as IMemInputPin.
    EXPECT_EQ(3u, refCount(static_cast<IBaseFilter*>(downstream)));
    ASSERT_HR(S_OK, out->Disconnect());
    ASSERT_HR(S_OK, in->Disconnect());
    EXPECT_EQ(1u, refCount(allocator.Get()));
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(downstream)));
}

} // namespace
