#pragma once
// The platform's memory allocator (CLSID_MemoryAllocator): a pool of
// equal-sized buffers handed out as MediaSample objects.
//
// Thread safety: every method may be called from any thread at once;
// streaming threads take and return buffers while the graph commits and
// decommits. GetBuffer blocks until a buffer is free or the pool is
// decommitted. Each sample handed out holds one reference on the allocator
// until it comes back, so the pool outlives its last outstanding sample.
#include "platform/dshow/SampleInterfaces.h"
#include "runtime/LiveObjects.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace runtime {

class MediaSample;

class MemAllocator final : public IMemAllocator {
public:
    // Class factory: a new allocator queried for riid (one reference for the
    // caller). Aggregation is refused with CLASS_E_NOAGGREGATION.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    MemAllocator(const MemAllocator&) = delete;
    MemAllocator& operator=(const MemAllocator&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IMemAllocator
    // Only while decommitted with every buffer back (VFW_E_ALREADY_COMMITTED,
    // VFW_E_BUFFERS_OUTSTANDING). The alignment must be a power of two
    // (VFW_E_BADALIGN); negative counts or sizes give E_INVALIDARG; a pool above
    // 1 GiB gives E_OUTOFMEMORY. The buffer size is rounded up to the
    // alignment; pActual tells what the pool will be.
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* pRequest, ALLOCATOR_PROPERTIES* pActual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* pProps) override;
    // Allocates the buffers (VFW_E_SIZENOTSET without a count and size).
    STDMETHODIMP Commit() override;
    // Refuses further GetBuffer calls and wakes those waiting; the memory
    // goes when the last outstanding buffer is back.
    STDMETHODIMP Decommit() override;
    // Waits for a free buffer; VFW_E_NOT_COMMITTED when decommitted before or
    // while waiting. With AM_GBF_NOWAIT it does not wait: VFW_E_TIMEOUT when
    // every buffer is out. Times and the other flags are ignored.
    STDMETHODIMP GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                           DWORD dwFlags) override;
    // Called by a sample of this pool on its last Release; E_INVALIDARG for a
    // sample of another pool, E_UNEXPECTED for one already back.
    STDMETHODIMP ReleaseBuffer(IMediaSample* pBuffer) override;

private:
    MemAllocator();
    ~MemAllocator();

    // The buffers and their samples, taken out of the pool under the lock and
    // destroyed by the caller after leaving it.
    struct Memory {
        std::unique_ptr<BYTE[]> block;
        std::vector<std::unique_ptr<MediaSample>> samples;
    };
    Memory TakeMemoryLocked();

    std::atomic<LONG> m_refs{0};

    std::mutex m_lock;
    std::condition_variable m_bufferFreed; // a buffer came back, or the pool was decommitted
    ALLOCATOR_PROPERTIES m_props{};
    LONG m_dataOffset = 0; // bytes from a slot's start to its data (prefix rounded to the alignment)
    LONG m_stride = 0;     // bytes from one slot to the next
    bool m_committed = false;
    Memory m_memory;
    std::vector<MediaSample*> m_free;

    SimLiveObject m_live;
};

// Registers CLSID_MemoryAllocator with the class registry (the simulator's
// install step and tests call it).
void RegisterMemAllocatorClass();

} // namespace runtime
