#include "tests/support/TestPins.h"

#include "platform/com/WideText.h"

#include <algorithm>

TestFilter::TestFilter(CCritSec* lock, bool* destroyed)
    : CBaseFilter(nullptr, nullptr, lock, GuidLiteral("{6B1E9B7C-2F4A-4C8E-9D3B-0A5C7E1F2D40}")),
      m_destroyed(destroyed)
{}

TestFilter::~TestFilter()
{
    if (m_destroyed) {
        *m_destroyed = true;
    }
}

CBasePin* TestFilter::GetPin(int n)
{
    if (n < 0 || n >= GetPinCount() || n == missingPin) {
        return nullptr;
    }
    return m_pins[static_cast<std::size_t>(n)].get();
}

std::unique_ptr<CBasePin> TestFilter::RemovePin(int n)
{
    auto pin = std::move(m_pins[static_cast<std::size_t>(n)]);
    m_pins.erase(m_pins.begin() + n);
    IncrementPinVersion();
    return pin;
}

void TestFilter::Note(const char* hook, LPCWSTR pin) { calls.push_back(std::string(hook) + " " + ToUtf8(pin)); }

STDMETHODIMP TestInputPin::Receive(IMediaSample* pSample)
{
    const int n = receive++;
    lastSample = pSample;
    return n < static_cast<int>(receiveResults.size()) ? receiveResults[static_cast<std::size_t>(n)] : S_OK;
}

STDMETHODIMP TestInputPin::EndOfStream()
{
    ++endOfStream;
    return CountingPin::EndOfStream();
}

STDMETHODIMP TestInputPin::BeginFlush()
{
    ++beginFlush;
    return CountingPin::BeginFlush();
}

STDMETHODIMP TestInputPin::EndFlush()
{
    ++endFlush;
    return CountingPin::EndFlush();
}

STDMETHODIMP TestInputPin::GetAllocator(IMemAllocator** ppAllocator)
{
    if (FAILED(failGetAllocator)) {
        if (ppAllocator) {
            *ppAllocator = nullptr;
        }
        return failGetAllocator;
    }
    return CountingPin::GetAllocator(ppAllocator);
}

STDMETHODIMP TestInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps)
{
    if (!hasRequirements) {
        return CountingPin::GetAllocatorRequirements(pProps);
    }
    *pProps = requirements;
    return S_OK;
}

HRESULT TestOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps)
{
    ++decideBufferSize;
    ALLOCATOR_PROPERTIES request = *pProps;
    request.cBuffers = std::max(request.cBuffers, buffers);
    request.cbBuffer = std::max(request.cbBuffer, bufferSize);
    lastRequest = request;
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(&request, &actual);
}
