#pragma once
// Filters and pins built on the framework for tests: they count their hooks,
// note the order of state hooks, fail on demand, and offer the media types a
// test gives them. A TestFilter owns its pins; use it with a test's own lock.
//
// Threads: everything but Receive runs on the test thread; Receive counts
// atomically and may be called from a streaming thread.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"
#include "filterbase/CBaseOutputPin.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TestFilter final : public CBaseFilter {
public:
    // destroyed, when given, becomes true in the destructor.
    explicit TestFilter(CCritSec* lock, bool* destroyed = nullptr);
    ~TestFilter() override;

    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    // Null for an index out of range or equal to missingPin.
    CBasePin* GetPin(int n) override;
    const AMOVIESETUP_FILTER* GetSetupData() override { return setupData; }

    // Takes the pin; the pin version changes. Returns the pin, not counted.
    template <class Pin>
    Pin* AddPin(std::unique_ptr<Pin> pin)
    {
        Pin* raw = pin.get();
        m_pins.push_back(std::move(pin));
        IncrementPinVersion();
        return raw;
    }
    // Hands the pin at n back to the test; the pin version changes.
    std::unique_ptr<CBasePin> RemovePin(int n);

    // "Active Input", "Run Output", ... in call order.
    std::vector<std::string> calls;
    void Note(const char* hook, LPCWSTR pin);

    int missingPin = -1;
    const AMOVIESETUP_FILTER* setupData = nullptr;

private:
    std::vector<std::unique_ptr<CBasePin>> m_pins;
    bool* m_destroyed;
};

// The hooks both test pin kinds share. A fail* value that is a failure is
// returned by that hook instead of the framework's behaviour.
template <class Base>
class CountingPin : public Base {
public:
    CountingPin(TestFilter* filter, LPCWSTR name) : Base(nullptr, filter, filter->pStateLock(), name), m_test(filter) {}

    HRESULT Active() override
    {
        ++active;
        m_test->Note("Active", this->Name());
        return FAILED(failActive) ? failActive : Base::Active();
    }
    HRESULT Inactive() override
    {
        ++inactive;
        m_test->Note("Inactive", this->Name());
        const HRESULT hr = Base::Inactive();
        return FAILED(failInactive) ? failInactive : hr;
    }
    HRESULT Run(REFERENCE_TIME tStart) override
    {
        ++run;
        runStart = tStart;
        m_test->Note("Run", this->Name());
        return FAILED(failRun) ? failRun : Base::Run(tStart);
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override
    {
        checkedSubtypes.push_back(pmt->subtype);
        return accept ? accept(*pmt) : S_OK;
    }
    HRESULT CheckConnect(IPin* pPin) override
    {
        ++checkConnect;
        return FAILED(failCheckConnect) ? failCheckConnect : Base::CheckConnect(pPin);
    }
    HRESULT BreakConnect() override
    {
        ++breakConnect;
        return FAILED(failBreakConnect) ? failBreakConnect : Base::BreakConnect();
    }
    HRESULT CompleteConnect(IPin* pReceivePin) override
    {
        ++completeConnect;
        return FAILED(failCompleteConnect) ? failCompleteConnect : Base::CompleteConnect(pReceivePin);
    }
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override
    {
        if (position < 0) {
            return E_INVALIDARG;
        }
        if (position >= static_cast<int>(offered.size())) {
            return VFW_S_NO_MORE_ITEMS;
        }
        return pMediaType->Assign(offered[static_cast<std::size_t>(position)]);
    }
    STDMETHODIMP QueryInternalConnections(IPin** /*apPin*/, ULONG* /*nPin*/) override { return E_NOTIMPL; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override
    {
        ++newSegment;
        return S_OK;
    }

    // Offered by GetMediaType, in order.
    std::vector<MediaTypeValue> offered;
    // Decides CheckMediaType; every type is accepted without it.
    std::function<HRESULT(const AM_MEDIA_TYPE&)> accept;
    // Subtypes CheckMediaType was asked about, in order.
    std::vector<GUID> checkedSubtypes;

    HRESULT failActive = S_OK;
    HRESULT failInactive = S_OK;
    HRESULT failRun = S_OK;
    HRESULT failCheckConnect = S_OK;
    HRESULT failBreakConnect = S_OK;
    HRESULT failCompleteConnect = S_OK;

    int active = 0;
    int inactive = 0;
    int run = 0;
    int checkConnect = 0;
    int breakConnect = 0;
    int completeConnect = 0;
    int newSegment = 0;
    REFERENCE_TIME runStart = -1;

    // Lets a test flip the framework's connection switches.
    void TryOwnTypesFirst(bool value) { this->m_bTryMyTypesFirst = value; }

protected:
    TestFilter* m_test;
};

class TestInputPin final : public CountingPin<CBaseInputPin> {
public:
    TestInputPin(TestFilter* filter, LPCWSTR name) : CountingPin(filter, name) {}

    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_OK; }
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;

    // Answers of Receive, one per call; S_OK once they run out.
    std::vector<HRESULT> receiveResults;
    std::atomic<int> receive{0};
    IMediaSample* lastSample = nullptr; // not counted
    int endOfStream = 0;
    int beginFlush = 0;
    int endFlush = 0;
    // When a failure, GetAllocator gives it instead of an allocator.
    HRESULT failGetAllocator = S_OK;
    // Given by GetAllocatorRequirements when set (E_NOTIMPL otherwise).
    bool hasRequirements = false;
    ALLOCATOR_PROPERTIES requirements{};
};

class TestOutputPin final : public CountingPin<CBaseOutputPin> {
public:
    TestOutputPin(TestFilter* filter, LPCWSTR name) : CountingPin(filter, name) {}

    // Asks for at least `buffers` buffers of `bufferSize` bytes, keeping the
    // downstream pin's alignment and prefix.
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) override;

    LONG buffers = 2;
    LONG bufferSize = 188 * 7;
    int decideBufferSize = 0;
    ALLOCATOR_PROPERTIES lastRequest{};
};
