#include "tests/sim/CaptureConsumer.h"

#include "platform/dshow/MediaTypes.h"

#include <chrono>

namespace {

const CLSID kConsumerClass = GuidLiteral("{2D4F6A8C-0E1B-4C3D-9F5A-7B9C1D3E5F70}");
constexpr auto kPatience = std::chrono::seconds(20);

} // namespace

CaptureConsumerPin::CaptureConsumerPin(CaptureConsumer* consumer, CCritSec* lock)
    : CBaseInputPin(L"consumer pin", consumer, lock, L"In"),
      m_consumer(consumer)
{}

HRESULT CaptureConsumerPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream && pmt->subtype == KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT
        ? S_OK
        : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CaptureConsumerPin::GetMediaType(int position, MediaTypeValue*)
{
    return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

STDMETHODIMP CaptureConsumerPin::Receive(IMediaSample* pSample)
{
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    m_consumer->Take(pSample);
    return S_OK;
}

STDMETHODIMP CaptureConsumerPin::QueryInternalConnections(IPin**, ULONG* nPin)
{
    *nPin = 0;
    return S_OK;
}

CaptureConsumer* CaptureConsumer::Create()
{
    auto* consumer = new CaptureConsumer();
    consumer->NonDelegatingAddRef();
    return consumer;
}

CaptureConsumer::CaptureConsumer() : CBaseFilter(L"capture consumer", nullptr, &m_lock, kConsumerClass)
{
    m_pin = std::make_unique<CaptureConsumerPin>(this, &m_lock);
}

CaptureConsumer::~CaptureConsumer() = default;

void CaptureConsumer::Take(IMediaSample* sample)
{
    ++m_inside;
    std::unique_lock guard(m_dataLock);
    if (m_hold) {
        m_held = true;
        m_changed.notify_all();
        m_changed.wait(guard, [this] { return !m_hold; });
        m_held = false;
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    Sample seen;
    seen.length = sample->GetActualDataLength();
    seen.discontinuity = sample->IsDiscontinuity() == S_OK;
    sample->GetMediaTime(&seen.firstPacket, &seen.endPacket);
    m_data.insert(m_data.end(), data, data + seen.length);
    m_samples.push_back(seen);
    m_changed.notify_all();
    guard.unlock();
    --m_inside;
}

bool CaptureConsumer::WaitForBytes(std::uint64_t bytes)
{
    std::unique_lock guard(m_dataLock);
    return m_changed.wait_for(guard, kPatience, [&] { return m_data.size() >= bytes; });
}

std::uint64_t CaptureConsumer::Bytes()
{
    std::lock_guard guard(m_dataLock);
    return m_data.size();
}

std::vector<std::uint8_t> CaptureConsumer::Data()
{
    std::lock_guard guard(m_dataLock);
    return m_data;
}

std::vector<CaptureConsumer::Sample> CaptureConsumer::Samples()
{
    std::lock_guard guard(m_dataLock);
    return m_samples;
}

void CaptureConsumer::HoldReceive()
{
    std::lock_guard guard(m_dataLock);
    m_hold = true;
}

bool CaptureConsumer::WaitUntilHeld()
{
    std::unique_lock guard(m_dataLock);
    return m_changed.wait_for(guard, kPatience, [this] { return m_held; });
}

void CaptureConsumer::LetGo()
{
    {
        std::lock_guard guard(m_dataLock);
        m_hold = false;
    }
    m_changed.notify_all();
}
