#pragma once
// One buffer of a MemAllocator pool, seen as IMediaSample.
//
// Ownership: the allocator creates and destroys its samples. A sample handed
// out by GetBuffer has one reference for the caller; its last Release gives it
// back to the pool (it is not deleted then). Its fields are used by one thread
// at a time (the one holding it); several holders may read it at once.
#include "platform/dshow/SampleInterfaces.h"
#include "runtime/LiveObjects.h"

#include <atomic>

namespace runtime {

class MemAllocator;

class MediaSample final : public IMediaSample {
public:
    // data: size bytes owned by the allocator, valid for the sample's life.
    MediaSample(MemAllocator* allocator, BYTE* data, LONG size);
    ~MediaSample();
    MediaSample(const MediaSample&) = delete;
    MediaSample& operator=(const MediaSample&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IMediaSample
    STDMETHODIMP GetPointer(BYTE** ppBuffer) override;
    STDMETHODIMP_(LONG) GetSize() override;
    // Stream times in 100 ns units.
    STDMETHODIMP GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
    STDMETHODIMP IsSyncPoint() override;
    STDMETHODIMP SetSyncPoint(BOOL bIsSyncPoint) override;
    STDMETHODIMP IsPreroll() override;
    STDMETHODIMP SetPreroll(BOOL bIsPreroll) override;
    // Bytes of the buffer in use, 0 to GetSize().
    STDMETHODIMP_(LONG) GetActualDataLength() override;
    STDMETHODIMP SetActualDataLength(LONG length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** ppMediaType) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* pMediaType) override;
    STDMETHODIMP IsDiscontinuity() override;
    STDMETHODIMP SetDiscontinuity(BOOL bDiscontinuity) override;
    STDMETHODIMP GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;
    STDMETHODIMP SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;

    // The allocator, under its lock, as it hands the sample out: every
    // property back to its initial value (whole buffer in use, no times, no
    // flags, no media type) and one reference.
    void PrepareForUse();

private:
    void ClearMediaType();

    MemAllocator* const m_allocator; // not counted: an outstanding sample keeps its allocator alive
    BYTE* const m_data;
    const LONG m_size;
    std::atomic<LONG> m_refs{0};

    LONG m_actual;
    bool m_timeValid = false;
    bool m_stopValid = false;
    REFERENCE_TIME m_start = 0;
    REFERENCE_TIME m_end = 0;
    bool m_mediaTimeValid = false;
    LONGLONG m_mediaStart = 0;
    LONGLONG m_mediaEnd = 0;
    bool m_syncPoint = false;
    bool m_preroll = false;
    bool m_discontinuity = false;
    AM_MEDIA_TYPE* m_type = nullptr; // task-allocated, owned

    SimLiveObject m_live;
};

} // namespace runtime
