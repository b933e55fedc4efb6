#include "runtime/graph/MediaSample.h"
#include "filterbase/MediaTypeFunctions.h"

#include "runtime/graph/MemAllocator.h"

namespace runtime {

MediaSample::MediaSample(MemAllocator* allocator, BYTE* data, LONG size)
    : m_allocator(allocator),
      m_data(data),
      m_size(size),
      m_actual(size)
{}

MediaSample::~MediaSample() { ClearMediaType(); }

STDMETHODIMP MediaSample::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IMediaSample) {
        *ppv = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MediaSample::AddRef() { return static_cast<ULONG>(++m_refs); }

STDMETHODIMP_(ULONG) MediaSample::Release()
{
    const LONG refs = --m_refs;
    if (refs == 0) {
        // Back to the pool; the allocator may destroy this sample on the way
        // (after a Decommit), so nothing here touches a member afterwards.
        m_allocator->ReleaseBuffer(this);
        return 0;
    }
    return static_cast<ULONG>(refs);
}

STDMETHODIMP MediaSample::GetPointer(BYTE** ppBuffer)
{
    if (!ppBuffer) {
        return E_POINTER;
    }
    *ppBuffer = m_data;
    return S_OK;
}

STDMETHODIMP_(LONG) MediaSample::GetSize() { return m_size; }

STDMETHODIMP MediaSample::GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd)
{
    if (!pTimeStart || !pTimeEnd) {
        return E_POINTER;
    }
    if (!m_timeValid) {
        return VFW_E_SAMPLE_TIME_NOT_SET;
    }
    *pTimeStart = m_start;
    if (!m_stopValid) {
        // Without a stop time the sample lasts one unit.
        *pTimeEnd = m_start + 1;
        return VFW_S_NO_STOP_TIME;
    }
    *pTimeEnd = m_end;
    return S_OK;
}

STDMETHODIMP MediaSample::SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd)
{
    if (!pTimeStart) {
        m_timeValid = false;
        m_stopValid = false;
        return S_OK;
    }
    m_timeValid = true;
    m_start = *pTimeStart;
    m_stopValid = pTimeEnd != nullptr;
    m_end = pTimeEnd ? *pTimeEnd : 0;
    return S_OK;
}

STDMETHODIMP MediaSample::IsSyncPoint() { return m_syncPoint ? S_OK : S_FALSE; }

STDMETHODIMP MediaSample::SetSyncPoint(BOOL bIsSyncPoint)
{
    m_syncPoint = bIsSyncPoint != FALSE;
    return S_OK;
}

STDMETHODIMP MediaSample::IsPreroll() { return m_preroll ? S_OK : S_FALSE; }

STDMETHODIMP MediaSample::SetPreroll(BOOL bIsPreroll)
{
    m_preroll = bIsPreroll != FALSE;
    return S_OK;
}

STDMETHODIMP_(LONG) MediaSample::GetActualDataLength() { return m_actual; }

STDMETHODIMP MediaSample::SetActualDataLength(LONG length)
{
    if (length < 0 || length > m_size) {
        return E_INVALIDARG;
    }
    m_actual = length;
    return S_OK;
}

STDMETHODIMP MediaSample::GetMediaType(AM_MEDIA_TYPE** ppMediaType)
{
    if (!ppMediaType) {
        return E_POINTER;
    }
    *ppMediaType = nullptr;
    if (!m_type) {
        return S_FALSE;
    }
    *ppMediaType = CreateMediaType(m_type);
    return *ppMediaType ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP MediaSample::SetMediaType(AM_MEDIA_TYPE* pMediaType)
{
    if (!pMediaType) {
        ClearMediaType();
        return S_OK;
    }
    AM_MEDIA_TYPE* copy = CreateMediaType(pMediaType);
    if (!copy) {
        return E_OUTOFMEMORY;
    }
    ClearMediaType();
    m_type = copy;
    return S_OK;
}

STDMETHODIMP MediaSample::IsDiscontinuity() { return m_discontinuity ? S_OK : S_FALSE; }

STDMETHODIMP MediaSample::SetDiscontinuity(BOOL bDiscontinuity)
{
    m_discontinuity = bDiscontinuity != FALSE;
    return S_OK;
}

STDMETHODIMP MediaSample::GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd)
{
    if (!pTimeStart || !pTimeEnd) {
        return E_POINTER;
    }
    if (!m_mediaTimeValid) {
        return VFW_E_MEDIA_TIME_NOT_SET;
    }
    *pTimeStart = m_mediaStart;
    *pTimeEnd = m_mediaEnd;
    return S_OK;
}

STDMETHODIMP MediaSample::SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd)
{
    if (!pTimeStart) {
        m_mediaTimeValid = false;
        return S_OK;
    }
    if (!pTimeEnd) {
        return E_POINTER;
    }
    m_mediaTimeValid = true;
    m_mediaStart = *pTimeStart;
    m_mediaEnd = *pTimeEnd;
    return S_OK;
}

void MediaSample::PrepareForUse()
{
    m_actual = m_size;
    m_timeValid = false;
    m_stopValid = false;
    m_mediaTimeValid = false;
    m_syncPoint = false;
    m_preroll = false;
    m_discontinuity = false;
    ClearMediaType();
    m_refs = 1;
}

void MediaSample::ClearMediaType()
{
    DeleteMediaType(m_type);
    m_type = nullptr;
}

} // namespace runtime
