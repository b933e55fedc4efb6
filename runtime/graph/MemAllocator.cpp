#include "runtime/graph/MemAllocator.h"

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/Uuids.h"
#include "runtime/graph/MediaSample.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace runtime {

namespace {

// Far beyond what a transport stream needs (a second of the fastest
// transponder is about 10 MB); above it a request is a mistake, not a plan.
constexpr std::int64_t kMaxPoolBytes = std::int64_t{1} << 30;

constexpr std::int64_t AlignUp(std::int64_t value, std::int64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

} // namespace

HRESULT MemAllocator::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* allocator = new (std::nothrow) MemAllocator();
    if (!allocator) {
        return E_OUTOFMEMORY;
    }
    // The query's reference is the caller's; a refused query deletes it again.
    allocator->AddRef();
    const HRESULT hr = allocator->QueryInterface(riid, ppv);
    allocator->Release();
    return hr;
}

MemAllocator::MemAllocator() = default;

MemAllocator::~MemAllocator() = default;

STDMETHODIMP MemAllocator::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IMemAllocator) {
        *ppv = static_cast<IMemAllocator*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MemAllocator::AddRef() { return static_cast<ULONG>(++m_refs); }

STDMETHODIMP_(ULONG) MemAllocator::Release()
{
    const LONG refs = --m_refs;
    if (refs == 0) {
        delete this;
    }
    return static_cast<ULONG>(refs);
}

STDMETHODIMP MemAllocator::SetProperties(ALLOCATOR_PROPERTIES* pRequest, ALLOCATOR_PROPERTIES* pActual)
{
    if (!pRequest || !pActual) {
        return E_POINTER;
    }
    const ALLOCATOR_PROPERTIES request = *pRequest;
    if (request.cbAlign <= 0 || (request.cbAlign & (request.cbAlign - 1)) != 0) {
        return VFW_E_BADALIGN;
    }
    if (request.cBuffers < 0 || request.cbBuffer < 0 || request.cbPrefix < 0) {
        return E_INVALIDARG;
    }
    const std::int64_t offset = AlignUp(request.cbPrefix, request.cbAlign);
    const std::int64_t stride = AlignUp(offset + request.cbBuffer, request.cbAlign);
    if (stride > INT32_MAX || stride * request.cBuffers > kMaxPoolBytes) {
        return E_OUTOFMEMORY;
    }

    std::lock_guard guard(m_lock);
    if (m_committed) {
        return VFW_E_ALREADY_COMMITTED;
    }
    if (!m_memory.samples.empty()) {
        return VFW_E_BUFFERS_OUTSTANDING;
    }
    m_props = request;
    m_props.cbBuffer = static_cast<LONG>(stride - offset);
    m_dataOffset = static_cast<LONG>(offset);
    m_stride = static_cast<LONG>(stride);
    *pActual = m_props;
    return S_OK;
}

STDMETHODIMP MemAllocator::GetProperties(ALLOCATOR_PROPERTIES* pProps)
{
    if (!pProps) {
        return E_POINTER;
    }
    std::lock_guard guard(m_lock);
    *pProps = m_props;
    return S_OK;
}

STDMETHODIMP MemAllocator::Commit()
{
    std::lock_guard guard(m_lock);
    if (m_committed) {
        return S_OK;
    }
    if (m_props.cBuffers <= 0 || m_props.cbBuffer <= 0) {
        return VFW_E_SIZENOTSET;
    }
    // After a Decommit whose buffers are not all back, the old pool serves again.
    if (m_memory.samples.empty()) {
        const std::size_t bytes = static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(m_props.cBuffers) +
            static_cast<std::size_t>(m_props.cbAlign);
        Memory memory;
        memory.block.reset(new (std::nothrow) BYTE[bytes]);
        if (!memory.block) {
            return E_OUTOFMEMORY;
        }
        // The data of every buffer starts on the requested alignment.
        const auto alignment = static_cast<std::uintptr_t>(m_props.cbAlign);
        const auto misalign = reinterpret_cast<std::uintptr_t>(memory.block.get()) % alignment;
        BYTE* base = memory.block.get() + (misalign ? alignment - misalign : 0);
        try {
            memory.samples.reserve(static_cast<std::size_t>(m_props.cBuffers));
            m_free.reserve(static_cast<std::size_t>(m_props.cBuffers));
            for (LONG i = 0; i < m_props.cBuffers; ++i) {
                BYTE* data = base + static_cast<std::ptrdiff_t>(i) * m_stride + m_dataOffset;
                memory.samples.push_back(std::make_unique<MediaSample>(this, data, m_props.cbBuffer));
            }
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        m_memory = std::move(memory);
        m_free.clear();
        for (auto& sample : m_memory.samples) {
            m_free.push_back(sample.get());
        }
    }
    m_committed = true;
    return S_OK;
}

STDMETHODIMP MemAllocator::Decommit()
{
    Memory released;
    {
        std::lock_guard guard(m_lock);
        m_committed = false;
        if (m_free.size() == m_memory.samples.size()) {
            released = TakeMemoryLocked();
        }
    }
    m_bufferFreed.notify_all();
    return S_OK;
}

STDMETHODIMP MemAllocator::GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME* /*pStartTime*/,
                                     REFERENCE_TIME* /*pEndTime*/, DWORD dwFlags)
{
    if (!ppBuffer) {
        return E_POINTER;
    }
    *ppBuffer = nullptr;
    std::unique_lock guard(m_lock);
    if (dwFlags & AM_GBF_NOWAIT) {
        if (!m_committed) {
            return VFW_E_NOT_COMMITTED;
        }
        if (m_free.empty()) {
            return VFW_E_TIMEOUT;
        }
    }
    m_bufferFreed.wait(guard, [this] { return !m_committed || !m_free.empty(); });
    if (!m_committed) {
        return VFW_E_NOT_COMMITTED;
    }
    MediaSample* sample = m_free.back();
    m_free.pop_back();
    sample->PrepareForUse();
    // The sample keeps its pool alive while it is out.
    AddRef();
    *ppBuffer = sample;
    return S_OK;
}

STDMETHODIMP MemAllocator::ReleaseBuffer(IMediaSample* pBuffer)
{
    if (!pBuffer) {
        return E_POINTER;
    }
    Memory released;
    {
        std::lock_guard guard(m_lock);
        const auto owned = std::find_if(m_memory.samples.begin(), m_memory.samples.end(), [pBuffer](const auto& s) {
            return static_cast<IMediaSample*>(s.get()) == pBuffer;
        });
        if (owned == m_memory.samples.end()) {
            return E_INVALIDARG;
        }
        MediaSample* sample = owned->get();
        if (std::find(m_free.begin(), m_free.end(), sample) != m_free.end()) {
            return E_UNEXPECTED;
        }
        m_free.push_back(sample);
        if (!m_committed && m_free.size() == m_memory.samples.size()) {
            released = TakeMemoryLocked();
        }
    }
    m_bufferFreed.notify_one();
    // Destroy the buffers before the reference that may delete this allocator goes.
    released = Memory();
    Release();
    return S_OK;
}

MemAllocator::Memory MemAllocator::TakeMemoryLocked()
{
    m_free.clear();
    return std::exchange(m_memory, Memory());
}

void RegisterMemAllocatorClass() { RegisterComClass(CLSID_MemoryAllocator, &MemAllocator::CreateInstance); }

} // namespace runtime
