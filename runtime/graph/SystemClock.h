#pragma once
// The system reference clock (CLSID_SystemClock): the machine's monotonic
// time in 100 ns units, and one-shot advise requests that set an event when
// a time is reached. Periodic advises need a semaphore, which this platform
// does not have: AdvisePeriodic answers E_NOTIMPL. Any thread; a worker
// thread, started with the first advise, sets the events and ends with the
// clock.
#include "platform/dshow/SampleInterfaces.h"
#include "runtime/ComObject.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace runtime {

class SystemClock final : public ComObject<SystemClock, IReferenceClock> {
public:
    // Class factory (CLSID_SystemClock); aggregation is refused.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);
    // One reference for the caller.
    static IReferenceClock* Create();

    // Never goes backwards.
    STDMETHODIMP GetTime(REFERENCE_TIME* pTime) override;
    // Sets hEvent (an event handle) once the clock reaches baseTime +
    // streamTime; *pdwAdviseCookie names the request for Unadvise.
    // E_INVALIDARG for a null event or a negative stream time.
    STDMETHODIMP AdviseTime(REFERENCE_TIME baseTime, REFERENCE_TIME streamTime, HEVENT hEvent,
                            DWORD_PTR* pdwAdviseCookie) override;
    STDMETHODIMP AdvisePeriodic(REFERENCE_TIME startTime, REFERENCE_TIME periodTime, HSEMAPHORE hSemaphore,
                                DWORD_PTR* pdwAdviseCookie) override;
    // S_FALSE for a cookie that is not pending (fired or unknown).
    STDMETHODIMP Unadvise(DWORD_PTR dwAdviseCookie) override;

private:
    SystemClock() = default;
    ~SystemClock() override;
    void* FindInterface(REFIID riid) override;
    void Worker();

    struct Advise {
        REFERENCE_TIME due;
        HEVENT event;
    };

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::map<DWORD_PTR, Advise> m_advises;
    DWORD_PTR m_nextCookie = 1;
    bool m_ending = false;
    std::thread m_worker;
    REFERENCE_TIME m_last = 0;
};

} // namespace runtime
