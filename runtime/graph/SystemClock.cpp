#include "runtime/graph/SystemClock.h"

#include "platform/com/ComPtr.h"
#include "platform/com/Sync.h"

#include <algorithm>
#include <chrono>

namespace runtime {

namespace {

REFERENCE_TIME Now()
{
    using Units = std::chrono::duration<REFERENCE_TIME, std::ratio<1, 10'000'000>>;
    return std::chrono::duration_cast<Units>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

HRESULT SystemClock::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IReferenceClock> clock;
    clock.Attach(Create());
    return clock->QueryInterface(riid, ppv);
}

IReferenceClock* SystemClock::Create()
{
    auto* clock = new SystemClock();
    clock->AddRef();
    return clock;
}

SystemClock::~SystemClock()
{
    {
        std::lock_guard guard(m_lock);
        m_ending = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable()) m_worker.join();
}

void* SystemClock::FindInterface(REFIID riid)
{
    return riid == IID_IReferenceClock ? static_cast<IReferenceClock*>(this) : nullptr;
}

STDMETHODIMP SystemClock::GetTime(REFERENCE_TIME* pTime)
{
    if (!pTime) return E_POINTER;
    std::lock_guard guard(m_lock);
    m_last = std::max(m_last, Now());
    *pTime = m_last;
    return S_OK;
}

STDMETHODIMP SystemClock::AdviseTime(REFERENCE_TIME baseTime, REFERENCE_TIME streamTime, HEVENT hEvent,
                                     DWORD_PTR* pdwAdviseCookie)
{
    if (!pdwAdviseCookie) return E_POINTER;
    if (!hEvent || streamTime < 0) return E_INVALIDARG;
    {
        std::lock_guard guard(m_lock);
        const DWORD_PTR cookie = m_nextCookie++;
        m_advises[cookie] = Advise{baseTime + streamTime, hEvent};
        *pdwAdviseCookie = cookie;
        if (!m_worker.joinable()) m_worker = std::thread([this] { Worker(); });
    }
    m_wake.notify_all();
    return S_OK;
}

STDMETHODIMP SystemClock::AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR* pdwAdviseCookie)
{
    if (pdwAdviseCookie) *pdwAdviseCookie = 0;
    return E_NOTIMPL;
}

STDMETHODIMP SystemClock::Unadvise(DWORD_PTR dwAdviseCookie)
{
    std::lock_guard guard(m_lock);
    return m_advises.erase(dwAdviseCookie) ? S_OK : S_FALSE;
}

void SystemClock::Worker()
{
    std::unique_lock guard(m_lock);
    while (!m_ending) {
        const REFERENCE_TIME now = Now();
        REFERENCE_TIME next = 0;
        for (auto it = m_advises.begin(); it != m_advises.end();) {
            if (it->second.due <= now) {
                SetEvent(reinterpret_cast<HANDLE>(it->second.event));
                it = m_advises.erase(it);
            } else {
                next = next == 0 ? it->second.due : std::min(next, it->second.due);
                ++it;
            }
        }
        if (next == 0) {
            m_wake.wait(guard);
        } else {
            m_wake.wait_for(guard, std::chrono::microseconds((next - now) / 10 + 1));
        }
    }
}

} // namespace runtime
