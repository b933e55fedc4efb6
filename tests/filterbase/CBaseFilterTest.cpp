// CBaseFilter: reference counting, interfaces, state changes with failing
// hooks, FindPin, filter information, graph membership and the clock.
#include "filterbase/CBaseFilter.h"

#include "FilterRig.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TaskMem.h"
#include "tests/support/TestComObject.h"

#include <string>

namespace {

using CBaseFilterTest = FilterRig;

TEST_F(CBaseFilterTest, CountStartsAtZeroAndTheLastReleaseDeletes)
{
    CCritSec lock;
    bool destroyed = false;
    auto* filter = new TestFilter(&lock, &destroyed);
    IBaseFilter* iface = filter;
    EXPECT_EQ(1u, iface->AddRef());
    EXPECT_EQ(2u, iface->AddRef());
    EXPECT_EQ(1u, iface->Release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0u, iface->Release());
    EXPECT_TRUE(destroyed);
}

TEST_F(CBaseFilterTest, PinReferencesCountOnTheFilter)
{
    TestFilter* filter = NewFilter();
    TestInputPin* pin = filter->AddPin(std::make_unique<TestInputPin>(filter, L"In"));
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(filter)));
    IPin* ipin = pin;
    EXPECT_EQ(2u, ipin->AddRef());
    EXPECT_EQ(2u, refCount(static_cast<IBaseFilter*>(filter)));
    EXPECT_EQ(1u, ipin->Release());
}

TEST_F(CBaseFilterTest, InterfacesOfTheFilter)
{
    TestFilter* filter = NewFilter();
    IBaseFilter* iface = filter;
    struct Case {
        const char* name;
        const IID& iid;
        bool supported;
    };
    const Case cases[] = {
        {"IUnknown", IID_IUnknown, true},          {"IPersist", IID_IPersist, true},
        {"IMediaFilter", IID_IMediaFilter, true},  {"IBaseFilter", IID_IBaseFilter, true},
        {"IAMovieSetup", IID_IAMovieSetup, true},  {"IPin", IID_IPin, false},
        {"IMemInputPin", IID_IMemInputPin, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectInterface(iface, c.iid, c.supported);
    }
    // IPersist, IMediaFilter and IBaseFilter are one interface; IUnknown is
    // the same object whichever interface asks.
    ComPtr<IPersist> persist;
    ComPtr<IMediaFilter> media;
    ComPtr<IUnknown> unknown1;
    ComPtr<IUnknown> unknown2;
    ASSERT_HR(S_OK, iface->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)));
    ASSERT_HR(S_OK, iface->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&media)));
    EXPECT_EQ(static_cast<void*>(iface), static_cast<void*>(persist.Get()));
    EXPECT_EQ(static_cast<void*>(iface), static_cast<void*>(media.Get()));
    ComPtr<IAMovieSetup> setup;
    ASSERT_HR(S_OK, iface->QueryInterface(IID_IAMovieSetup, reinterpret_cast<void**>(&setup)));
    ASSERT_HR(S_OK, iface->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown1)));
    ASSERT_HR(S_OK, setup->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown2)));
    EXPECT_EQ(unknown1.Get(), unknown2.Get());
    EXPECT_HR(E_POINTER, iface->QueryInterface(IID_IBaseFilter, nullptr));
}

TEST_F(CBaseFilterTest, StateChangesCallTheHooksOfConnectedPinsInOrder)
{
    MakePair();
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    // A pin that is not connected sees no state hook.
    TestInputPin* idle = downstream->AddPin(std::make_unique<TestInputPin>(downstream, L"Idle"));
    IBaseFilter* filter = downstream;

    EXPECT_HR(S_OK, filter->Run(1234));
    EXPECT_HR(S_OK, filter->Run(5678)); // already running: no hook, new start time kept
    FILTER_STATE state = State_Stopped;
    EXPECT_HR(S_OK, filter->GetState(0, &state));
    EXPECT_EQ(State_Running, state);
    EXPECT_HR(S_OK, filter->Pause());
    EXPECT_HR(S_OK, filter->Stop());
    EXPECT_HR(S_OK, filter->Stop());
    const std::vector<std::string> expected = {"Active In", "Run In", "Inactive In"};
    EXPECT_EQ(expected, downstream->calls);
    EXPECT_EQ(1234, in->runStart);
    EXPECT_EQ(0, idle->active + idle->run + idle->inactive);
    EXPECT_HR(E_POINTER, filter->GetState(0, nullptr));
}

TEST_F(CBaseFilterTest, StateChangesWithFailingHooks)
{
    struct Case {
        const char* name;
        HRESULT failActive;
        HRESULT failRun;
        HRESULT failInactive;
        bool runFirst; // Run (else Pause) from Stopped, then Stop
        HRESULT startResult;
        FILTER_STATE afterStart;
        HRESULT stopResult;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"failing Active leaves the filter stopped and the other pin inactive",
         E_FAIL,
         S_OK,
         S_OK,
         false,
         E_FAIL,
         State_Stopped,
         S_OK,
         {"Active In1", "Active In2", "Inactive In1"}},
        {"failing Active stops Run before any pin runs",
         E_OUTOFMEMORY,
         S_OK,
         S_OK,
         true,
         E_OUTOFMEMORY,
         State_Stopped,
         S_OK,
         {"Active In1", "Active In2", "Inactive In1"}},
        {"failing pin Run leaves the filter paused",
         S_OK,
         E_FAIL,
         S_OK,
         true,
         E_FAIL,
         State_Paused,
         S_OK,
         {"Active In1", "Active In2", "Run In1", "Run In2", "Inactive In1", "Inactive In2"}},
        {"failing Inactive still ends stopped and reports the failure",
         S_OK,
         S_OK,
         E_UNEXPECTED,
         true,
         S_OK,
         State_Running,
         E_UNEXPECTED,
         {"Active In1", "Active In2", "Run In1", "Run In2", "Inactive In1", "Inactive In2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFilter* up = NewFilter();
        TestFilter* down = NewFilter();
        TestOutputPin* out1 = up->AddPin(std::make_unique<TestOutputPin>(up, L"Out1"));
        TestOutputPin* out2 = up->AddPin(std::make_unique<TestOutputPin>(up, L"Out2"));
        TestInputPin* in1 = down->AddPin(std::make_unique<TestInputPin>(down, L"In1"));
        TestInputPin* in2 = down->AddPin(std::make_unique<TestInputPin>(down, L"In2"));
        out1->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubA));
        out2->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubA));
        ASSERT_HR(S_OK, out1->Connect(in1, nullptr));
        ASSERT_HR(S_OK, out2->Connect(in2, nullptr));
        // The second pin fails its Active and Run; either pin fails Inactive.
        in2->failActive = c.failActive;
        in2->failRun = c.failRun;
        in1->failInactive = c.failInactive;

        IBaseFilter* filter = down;
        EXPECT_HR(c.startResult, c.runFirst ? filter->Run(0) : filter->Pause());
        FILTER_STATE state = State_Running;
        filter->GetState(0, &state);
        EXPECT_EQ(c.afterStart, state);
        EXPECT_HR(c.stopResult, filter->Stop());
        filter->GetState(0, &state);
        EXPECT_EQ(State_Stopped, state);
        EXPECT_EQ(c.calls, down->calls);
    }
}

TEST_F(CBaseFilterTest, FindPinComparesNamesExactly)
{
    TestFilter* filter = NewFilter();
    filter->AddPin(std::make_unique<TestInputPin>(filter, L"Input"));
    TestOutputPin* second = filter->AddPin(std::make_unique<TestOutputPin>(filter, L"Output"));
    struct Case {
        const char* name;
        LPCWSTR id;
        HRESULT expected;
    };
    const Case cases[] = {
        {"second pin", L"Output", S_OK},       {"other case", L"output", VFW_E_NOT_FOUND},
        {"prefix", L"Out", VFW_E_NOT_FOUND},   {"empty", L"", VFW_E_NOT_FOUND},
        {"no name", nullptr, VFW_E_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IPin* pin = reinterpret_cast<IPin*>(0x1);
        EXPECT_HR(c.expected, filter->FindPin(c.id, &pin));
        if (c.expected == S_OK) {
            EXPECT_EQ(static_cast<IPin*>(second), pin);
            EXPECT_EQ(2u, refCount(static_cast<IBaseFilter*>(filter)));
            pin->Release();
        } else {
            EXPECT_EQ(nullptr, pin);
        }
    }
    EXPECT_HR(E_POINTER, filter->FindPin(L"Input", nullptr));
}

// A graph that is also an event sink, counting its references and events.
class FakeGraph final : public TestComObject<IFilterGraph, IMediaEventSink> {
public:
    FakeGraph() : TestComObject(1) {}
    STDMETHODIMP AddFilter(IBaseFilter*, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveFilter(IBaseFilter*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFilters(IEnumFilters**) override { return E_NOTIMPL; }
    STDMETHODIMP FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    STDMETHODIMP ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP Reconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP SetDefaultSyncSource() override { return E_NOTIMPL; }
    STDMETHODIMP Notify(LONG code, LONG_PTR, LONG_PTR) override
    {
        lastEvent = code;
        return S_OK;
    }

    bool offersSink = true;
    LONG lastEvent = 0;

private:
    void* FindInterface(REFIID riid) override
    {
        if (riid == IID_IMediaEventSink && !offersSink) return nullptr;
        return TestComObject::FindInterface(riid);
    }
};

TEST_F(CBaseFilterTest, JoinFilterGraphKeepsGraphAndSinkWithoutReferences)
{
    TestFilter* filter = NewFilter();
    FakeGraph graph;
    EXPECT_HR(E_NOTIMPL, filter->NotifyEvent(EC_COMPLETE, 0, 0));
    ASSERT_HR(S_OK, filter->JoinFilterGraph(&graph, L"Dest Filter"));
    EXPECT_EQ(1u, graph.Refs());
    EXPECT_EQ(static_cast<IFilterGraph*>(&graph), filter->GetFilterGraph());
    EXPECT_HR(S_OK, filter->NotifyEvent(EC_COMPLETE, 0, 0));
    EXPECT_EQ(EC_COMPLETE, graph.lastEvent);
    EXPECT_EQ(1u, graph.Refs());

    FILTER_INFO info{};
    ASSERT_HR(S_OK, filter->QueryFilterInfo(&info));
    EXPECT_EQ(std::wstring(L"Dest Filter"), info.achName);
    EXPECT_EQ(static_cast<IFilterGraph*>(&graph), info.pGraph);
    EXPECT_EQ(2u, graph.Refs()) << "QueryFilterInfo hands out a reference to the graph";
    info.pGraph->Release();

    ASSERT_HR(S_OK, filter->JoinFilterGraph(nullptr, nullptr));
    ASSERT_HR(S_OK, filter->QueryFilterInfo(&info));
    EXPECT_EQ(std::wstring(), info.achName);
    EXPECT_EQ(nullptr, info.pGraph);
    EXPECT_HR(E_NOTIMPL, filter->NotifyEvent(EC_COMPLETE, 0, 0));

    graph.offersSink = false;
    ASSERT_HR(S_OK, filter->JoinFilterGraph(&graph, L"x"));
    EXPECT_HR(E_NOTIMPL, filter->NotifyEvent(EC_COMPLETE, 0, 0));
    EXPECT_EQ(1u, graph.Refs());
    filter->JoinFilterGraph(nullptr, nullptr);
}

TEST_F(CBaseFilterTest, QueryFilterInfoCutsTheNameToTheField)
{
    TestFilter* filter = NewFilter();
    struct Case {
        const char* name;
        std::size_t length;
        std::size_t kept;
    };
    const Case cases[] = {
        {"short", 11, 11}, {"127 characters fit", 127, 127}, {"128 do not", 128, 127}, {"200", 200, 127}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring name;
        for (std::size_t i = 0; i < c.length; ++i) {
            name += static_cast<wchar_t>(L'a' + i % 26);
        }
        ASSERT_HR(S_OK, filter->JoinFilterGraph(nullptr, name.c_str()));
        FILTER_INFO info{};
        ASSERT_HR(S_OK, filter->QueryFilterInfo(&info));
        EXPECT_EQ(name.substr(0, c.kept), std::wstring(info.achName));
    }
    EXPECT_HR(E_POINTER, filter->QueryFilterInfo(nullptr));
}

class FakeClock final : public TestComObject<IReferenceClock> {
public:
    FakeClock() : TestComObject(1) {}
    STDMETHODIMP GetTime(REFERENCE_TIME* pTime) override
    {
        *pTime = now;
        return result;
    }
    STDMETHODIMP AdviseTime(REFERENCE_TIME, REFERENCE_TIME, HEVENT, DWORD_PTR*) override { return E_NOTIMPL; }
    STDMETHODIMP AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD_PTR) override { return E_NOTIMPL; }

    REFERENCE_TIME now = 0;
    HRESULT result = S_OK;
};

TEST_F(CBaseFilterTest, SyncSourceAndStreamTime)
{
    TestFilter* filter = NewFilter();
    REFERENCE_TIME t = 0;
    EXPECT_HR(VFW_E_NO_CLOCK, filter->StreamTime(t));

    FakeClock clock;
    clock.now = 50'000'000;
    ASSERT_HR(S_OK, filter->SetSyncSource(&clock));
    EXPECT_EQ(2u, clock.Refs());
    IReferenceClock* got = nullptr;
    ASSERT_HR(S_OK, filter->GetSyncSource(&got));
    EXPECT_EQ(&clock, got);
    EXPECT_EQ(3u, clock.Refs());
    got->Release();

    ASSERT_HR(S_OK, filter->Run(20'000'000));
    EXPECT_HR(S_OK, filter->StreamTime(t));
    EXPECT_EQ(30'000'000, t);
    clock.result = E_FAIL;
    EXPECT_HR(E_FAIL, filter->StreamTime(t));
    filter->Stop();

    ASSERT_HR(S_OK, filter->SetSyncSource(nullptr));
    EXPECT_EQ(1u, clock.Refs());
    ASSERT_HR(S_OK, filter->GetSyncSource(&got));
    EXPECT_EQ(nullptr, got);
    EXPECT_HR(E_POINTER, filter->GetSyncSource(nullptr));
}

TEST_F(CBaseFilterTest, IdentityVendorAndSetup)
{
    TestFilter* filter = NewFilter();
    CLSID clsid = GUID_NULL;
    ASSERT_HR(S_OK, filter->GetClassID(&clsid));
    EXPECT_EQ(GuidLiteral("{6B1E9B7C-2F4A-4C8E-9D3B-0A5C7E1F2D40}"), clsid);
    EXPECT_HR(E_POINTER, filter->GetClassID(nullptr));
    LPWSTR vendor = nullptr;
    EXPECT_HR(E_NOTIMPL, filter->QueryVendorInfo(&vendor));
    EXPECT_HR(S_FALSE, filter->Register());
    EXPECT_HR(S_FALSE, filter->Unregister());
    const AMOVIESETUP_FILTER setup{&clsid, L"Test", 0, 0, nullptr};
    filter->setupData = &setup;
    EXPECT_HR(E_NOTIMPL, filter->Register());
}

} // namespace
