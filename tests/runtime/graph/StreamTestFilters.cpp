#include "tests/runtime/graph/StreamTestFilters.h"

#include <chrono>
#include <cstring>

namespace {

constexpr long kPacket = 188;
constexpr long kPacketsPerSample = 16;
const CLSID kTestClass = GuidLiteral("{0A1B2C3D-4E5F-4061-8273-8495A6B7C8D9}");

bool IsStream(const AM_MEDIA_TYPE& type) { return type.majortype == MEDIATYPE_Stream; }

} // namespace

TestSourcePin::TestSourcePin(TestSource* source, CCritSec* lock) : CBaseOutputPin(L"source pin", source, lock, L"Out")
{}

HRESULT TestSourcePin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsStream(*pmt) && pmt->subtype == KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestSourcePin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    MediaTypeValue type(MEDIATYPE_Stream);
    type.subtype = KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT;
    *pMediaType = std::move(type);
    return S_OK;
}

HRESULT TestSourcePin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES*)
{
    ALLOCATOR_PROPERTIES request{4, kPacket * kPacketsPerSample, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(&request, &actual);
}

TestSource* TestSource::Create()
{
    auto* source = new TestSource();
    source->NonDelegatingAddRef();
    return source;
}

TestSource::TestSource() : CBaseFilter(L"test source", nullptr, &m_lock, kTestClass)
{
    m_pin = std::make_unique<TestSourcePin>(this, &m_lock);
}

TestSource::~TestSource() = default;

STDMETHODIMP TestSource::Run(REFERENCE_TIME tStart)
{
    const HRESULT hr = CBaseFilter::Run(tStart);
    if (FAILED(hr)) return hr;
    std::lock_guard guard(m_threadLock);
    if (!m_thread.joinable() && m_pin->IsConnected()) {
        m_stop = false;
        m_thread = std::thread([this] { Stream(); });
        m_threadId = m_thread.get_id();
    }
    return hr;
}

STDMETHODIMP TestSource::Stop()
{
    m_stop = true;
    const HRESULT hr = CBaseFilter::Stop();
    std::lock_guard guard(m_threadLock);
    if (m_thread.joinable()) m_thread.join();
    return hr;
}

std::thread::id TestSource::StreamingThread()
{
    std::lock_guard guard(m_threadLock);
    return m_threadId;
}

bool TestSource::Streaming()
{
    std::lock_guard guard(m_threadLock);
    return m_thread.joinable();
}

void TestSource::Stream()
{
    BYTE continuity = 0;
    while (!m_stop) {
        ComPtr<IMediaSample> sample;
        if (FAILED(m_pin->GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) return;
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        for (long p = 0; p < kPacketsPerSample; ++p) {
            BYTE* packet = data + p * kPacket;
            std::memset(packet, 0xFF, kPacket);
            const unsigned pid = p == 0 ? 0x000 : 0x100;
            packet[0] = 0x47;
            packet[1] = static_cast<BYTE>(pid >> 8);
            packet[2] = static_cast<BYTE>(pid & 0xFF);
            packet[3] = static_cast<BYTE>(0x10 | (continuity++ & 0x0F));
        }
        sample->SetActualDataLength(kPacket * kPacketsPerSample);
        if (FAILED(m_pin->Deliver(sample.Get()))) return;
        ++m_delivered;
    }
}

TestConsumerPin::TestConsumerPin(TestConsumer* consumer, CCritSec* lock)
    : CBaseInputPin(L"consumer pin", consumer, lock, L"In"),
      m_consumer(consumer)
{}

HRESULT TestConsumerPin::CheckMediaType(const AM_MEDIA_TYPE* pmt) { return IsStream(*pmt) ? S_OK : S_FALSE; }

HRESULT TestConsumerPin::GetMediaType(int position, MediaTypeValue*)
{
    return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

STDMETHODIMP TestConsumerPin::Receive(IMediaSample* pSample)
{
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    m_consumer->Record(pSample);
    return S_OK;
}

STDMETHODIMP TestConsumerPin::QueryInternalConnections(IPin**, ULONG* nPin)
{
    *nPin = 0;
    return S_OK;
}

TestConsumer* TestConsumer::Create()
{
    auto* consumer = new TestConsumer();
    consumer->NonDelegatingAddRef();
    return consumer;
}

TestConsumer::TestConsumer() : CBaseFilter(L"test consumer", nullptr, &m_lock, kTestClass)
{
    m_pin = std::make_unique<TestConsumerPin>(this, &m_lock);
}

TestConsumer::~TestConsumer() = default;

void TestConsumer::Record(IMediaSample* sample)
{
    ++m_inside;
    BYTE* buffer = nullptr;
    sample->GetPointer(&buffer);
    {
        std::lock_guard guard(m_seenLock);
        m_seen.push_back(Seen{sample, buffer, std::this_thread::get_id()});
    }
    m_arrived.notify_all();
    --m_inside;
}

bool TestConsumer::WaitForSamples(std::size_t count)
{
    std::unique_lock guard(m_seenLock);
    return m_arrived.wait_for(guard, std::chrono::seconds(20), [&] { return m_seen.size() >= count; });
}

std::vector<TestConsumer::Seen> TestConsumer::Received()
{
    std::lock_guard guard(m_seenLock);
    return m_seen;
}
