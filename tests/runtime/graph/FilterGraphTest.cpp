// The filter graph manager with the simulated stream components: building,
// names, intelligent connect, removal, running a live stream through the tee
// to the demultiplexer, the transport information filter and a second
// consumer, stopping with no thread left inside a filter, the journal, and
// nothing left alive afterwards.
#include "runtime/graph/FilterGraph.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "platform/dshow/Uuids.h"
#include "runtime/graph/GraphClasses.h"
#include "runtime/graph/MemAllocator.h"
#include "runtime/graph/Mpeg2Demultiplexer.h"
#include "runtime/graph/TransportInformationFilter.h"
#include "tests/runtime/graph/StreamTestFilters.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class FilterGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        runtime::RegisterMemAllocatorClass();
        runtime::RegisterGraphClasses();
        ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_graph)));
        ASSERT_HR(S_OK, m_graph.QueryInterface(m_control));
    }
    void TearDown() override
    {
        m_control = nullptr;
        m_graph = nullptr;
        ClearComClassRegistry();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    template <class T>
    ComPtr<IBaseFilter> Create(REFCLSID clsid)
    {
        ComPtr<IBaseFilter> filter;
        EXPECT_HR(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)));
        return filter;
    }

    static ComPtr<IPin> PinNamed(IBaseFilter* filter, const wchar_t* name)
    {
        ComPtr<IPin> pin;
        EXPECT_HR(S_OK, filter->FindPin(name, &pin)) << "pin " << ToUtf8(name);
        return pin;
    }

    static bool Connected(IPin* pin)
    {
        ComPtr<IPin> peer;
        return pin->ConnectedTo(&peer) == S_OK;
    }

    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IMediaControl> m_control;

private:
    SimObjectCheck m_live;
};

// Holds a test filter with one reference, released with the holder.
template <class T>
struct Held {
    Held() : filter(T::Create()) {}
    ~Held() { filter->Release(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return filter; }
    IBaseFilter* base() const { return filter; }
    T* filter;
};

TEST_F(FilterGraphTest, AddFilterGivesUniqueNames)
{
    struct Case {
        const char* name;
        const wchar_t* requested;
        HRESULT expected;
        std::wstring given;
    };
    const Case cases[] = {
        {"a free name is kept", L"MPEG2 Demultiplexer", S_OK, L"MPEG2 Demultiplexer"},
        {"a taken name gets a number", L"MPEG2 Demultiplexer", VFW_S_DUPLICATE_NAME, L"MPEG2 Demultiplexer 0001"},
        {"and the next one the next number", L"MPEG2 Demultiplexer", VFW_S_DUPLICATE_NAME, L"MPEG2 Demultiplexer 0002"},
        {"no name gets a number", nullptr, S_OK, L"0001"},
        {"an empty name likewise", L"", S_OK, L"0002"},
    };
    std::vector<ComPtr<IBaseFilter>> filters;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<IBaseFilter> tee = Create<IBaseFilter>(CLSID_InfTee);
        EXPECT_HR(c.expected, m_graph->AddFilter(tee.Get(), c.requested));
        FILTER_INFO info{};
        ASSERT_HR(S_OK, tee->QueryFilterInfo(&info));
        EXPECT_EQ(c.given, std::wstring(info.achName));
        EXPECT_EQ(static_cast<IFilterGraph*>(m_graph.Get()), info.pGraph);
        if (info.pGraph) info.pGraph->Release();
        ComPtr<IBaseFilter> found;
        EXPECT_HR(S_OK, m_graph->FindFilterByName(c.given.c_str(), &found));
        EXPECT_EQ(tee.Get(), found.Get());
        filters.push_back(tee);
    }
    EXPECT_HR(E_INVALIDARG, m_graph->AddFilter(filters[0].Get(), L"again")) << "a filter joins a graph once";
    ComPtr<IBaseFilter> none;
    EXPECT_HR(VFW_E_NOT_FOUND, m_graph->FindFilterByName(L"missing", &none));
}

TEST_F(FilterGraphTest, RunStreamsOnTheSourceThreadAndStopLeavesNoThreadInside)
{
    Held<TestSource> source;
    Held<TestConsumer> consumer;
    ComPtr<IBaseFilter> tee = Create<IBaseFilter>(CLSID_InfTee);
    ComPtr<IBaseFilter> demux = Create<IBaseFilter>(CLSID_MPEG2Demultiplexer);
    ComPtr<IBaseFilter> information;
    ASSERT_HR(S_OK, runtime::TransportInformationFilter::Create(&information));
    ASSERT_HR(S_OK, m_graph->AddFilter(source.base(), L"source"));
    ASSERT_HR(S_OK, m_graph->AddFilter(tee.Get(), L"Infinite pin tee splitter"));
    ASSERT_HR(S_OK, m_graph->AddFilter(demux.Get(), L"MPEG2 Demultiplexer"));
    ASSERT_HR(S_OK, m_graph->AddFilter(information.Get(), L"transport information filter"));
    ASSERT_HR(S_OK, m_graph->AddFilter(consumer.base(), L"consumer"));

    ASSERT_HR(S_OK, m_graph->Connect(source->Pin(), PinNamed(tee.Get(), L"Input").Get()));
    ASSERT_HR(S_OK,
              m_graph->Connect(PinNamed(tee.Get(), L"Output1").Get(), PinNamed(demux.Get(), L"MPEG-2 Stream").Get()));
    ASSERT_HR(S_OK, m_graph->Connect(PinNamed(tee.Get(), L"Output2").Get(), consumer->Pin()));
    ASSERT_HR(S_OK, m_graph->Connect(PinNamed(demux.Get(), L"1").Get(), PinNamed(information.Get(), L"Input").Get()));
    ComPtr<IPin> spare = PinNamed(tee.Get(), L"Output3");
    EXPECT_FALSE(Connected(spare.Get())) << "the tee keeps one free output";

    ASSERT_HR(S_OK, m_control->Run());
    OAFilterState state = -1;
    EXPECT_HR(S_OK, m_control->GetState(0, &state));
    EXPECT_EQ(State_Running, state);
    ASSERT_TRUE(consumer->WaitForSamples(20));
    ASSERT_HR(S_OK, m_control->Stop());

    EXPECT_EQ(0, consumer->ThreadsInside());
    EXPECT_FALSE(source->Streaming()) << "the source's thread has ended";
    const auto seen = consumer->Received();
    for (const auto& s : seen) EXPECT_EQ(source->StreamingThread(), s.thread);
    EXPECT_GE(source->SamplesDelivered(), static_cast<long>(seen.size()) - 1);

    auto* demultiplexer = static_cast<runtime::Mpeg2Demultiplexer*>(demux.Get());
    auto* tables = static_cast<runtime::TransportInformationFilter*>(information.Get());
    EXPECT_GE(demultiplexer->PacketsReceived(), 16 * 20);
    EXPECT_GT(demultiplexer->TablePacketsDelivered(), 0);
    EXPECT_EQ(demultiplexer->TablePacketsDelivered() * 188, tables->BytesReceived());

    // A second run works the same way after a stop.
    const std::size_t before = seen.size();
    ASSERT_HR(S_OK, m_control->Run());
    EXPECT_TRUE(consumer->WaitForSamples(before + 5));
    ASSERT_HR(S_OK, m_control->Stop());
    EXPECT_FALSE(source->Streaming());
}

TEST_F(FilterGraphTest, TeeHandsTheSameSampleToEveryOutput)
{
    Held<TestSource> source;
    Held<TestConsumer> first;
    Held<TestConsumer> second;
    ComPtr<IBaseFilter> tee = Create<IBaseFilter>(CLSID_InfTee);
    for (IBaseFilter* f : {source.base(), tee.Get(), first.base(), second.base()}) {
        ASSERT_TRUE(SUCCEEDED(m_graph->AddFilter(f, nullptr)));
    }
    ASSERT_HR(S_OK, m_graph->Connect(source->Pin(), PinNamed(tee.Get(), L"Input").Get()));
    ASSERT_HR(S_OK, m_graph->Connect(PinNamed(tee.Get(), L"Output1").Get(), first->Pin()));
    ASSERT_HR(S_OK, m_graph->Connect(PinNamed(tee.Get(), L"Output2").Get(), second->Pin()));

    ASSERT_HR(S_OK, m_control->Run());
    ASSERT_TRUE(second->WaitForSamples(10));
    ASSERT_HR(S_OK, m_control->Stop());

    const auto a = first->Received();
    const auto b = second->Received();
    const std::size_t common = std::min(a.size(), b.size());
    ASSERT_GE(common, 10u);
    for (std::size_t i = 0; i < common; ++i) {
        EXPECT_EQ(a[i].sample, b[i].sample) << "sample " << i;
        EXPECT_EQ(a[i].buffer, b[i].buffer) << "sample " << i;
    }
}

TEST_F(FilterGraphTest, RemovingAConnectedFilterDisconnectsBothSides)
{
    Held<TestSource> source;
    Held<TestConsumer> consumer;
    ComPtr<IBaseFilter> tee = Create<IBaseFilter>(CLSID_InfTee);
    for (IBaseFilter* f : {source.base(), tee.Get(), consumer.base()})
        ASSERT_TRUE(SUCCEEDED(m_graph->AddFilter(f, nullptr)));
    ASSERT_HR(S_OK, m_graph->Connect(source->Pin(), PinNamed(tee.Get(), L"Input").Get()));
    ASSERT_HR(S_OK, m_graph->Connect(PinNamed(tee.Get(), L"Output1").Get(), consumer->Pin()));

    ASSERT_HR(S_OK, m_control->Run());
    EXPECT_HR(VFW_E_NOT_STOPPED, m_graph->RemoveFilter(tee.Get())) << "not under a running stream";
    ASSERT_HR(S_OK, m_control->Stop());

    ASSERT_HR(S_OK, m_graph->RemoveFilter(tee.Get()));
    EXPECT_FALSE(Connected(source->Pin()));
    EXPECT_FALSE(Connected(consumer->Pin()));
    EXPECT_FALSE(Connected(PinNamed(tee.Get(), L"Input").Get()));
    FILTER_INFO info{};
    ASSERT_HR(S_OK, tee->QueryFilterInfo(&info));
    EXPECT_EQ(nullptr, info.pGraph);
    EXPECT_HR(VFW_E_NOT_FOUND, m_graph->RemoveFilter(tee.Get()));
}

TEST_F(FilterGraphTest, ConnectInsertsAFilterOfTheGraphWhenTheDirectConnectionFails)
{
    Held<TestSource> source;
    ComPtr<IBaseFilter> demux = Create<IBaseFilter>(CLSID_MPEG2Demultiplexer);
    ComPtr<IBaseFilter> information;
    ASSERT_HR(S_OK, runtime::TransportInformationFilter::Create(&information));
    for (IBaseFilter* f : {source.base(), information.Get()}) ASSERT_TRUE(SUCCEEDED(m_graph->AddFilter(f, nullptr)));
    ComPtr<IPin> tablesIn = PinNamed(information.Get(), L"Input");

    EXPECT_TRUE(FAILED(m_graph->Connect(source->Pin(), tablesIn.Get()))) << "a stream is not a table";
    EXPECT_FALSE(Connected(source->Pin()));

    ASSERT_HR(S_OK, m_graph->AddFilter(demux.Get(), nullptr));
    ASSERT_HR(S_OK, m_graph->Connect(source->Pin(), tablesIn.Get()));
    EXPECT_TRUE(Connected(PinNamed(demux.Get(), L"MPEG-2 Stream").Get()));
    EXPECT_TRUE(Connected(tablesIn.Get()));

    Held<TestConsumer> outside;
    EXPECT_HR(VFW_E_NOT_IN_GRAPH, m_graph->Connect(PinNamed(demux.Get(), L"1").Get(), outside->Pin()));
    EXPECT_HR(VFW_E_INVALID_DIRECTION, m_graph->ConnectDirect(tablesIn.Get(), source->Pin(), nullptr));
}

TEST_F(FilterGraphTest, FilterEnumeratorNoticesChanges)
{
    ComPtr<IBaseFilter> first = Create<IBaseFilter>(CLSID_InfTee);
    ASSERT_HR(S_OK, m_graph->AddFilter(first.Get(), L"first"));
    ComPtr<IEnumFilters> filters;
    ASSERT_HR(S_OK, m_graph->EnumFilters(&filters));
    ComPtr<IBaseFilter> second = Create<IBaseFilter>(CLSID_InfTee);
    ASSERT_HR(S_OK, m_graph->AddFilter(second.Get(), L"second"));

    IBaseFilter* got[3] = {};
    ULONG fetched = 0;
    EXPECT_HR(VFW_E_ENUM_OUT_OF_SYNC, filters->Next(3, got, &fetched));
    ASSERT_HR(S_OK, filters->Reset());
    EXPECT_HR(S_FALSE, filters->Next(3, got, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_EQ(first.Get(), got[0]);
    EXPECT_EQ(second.Get(), got[1]);
    for (ULONG i = 0; i < fetched; ++i) got[i]->Release();
}

TEST_F(FilterGraphTest, JournalTellsWhatTheGraphDid)
{
    TempDir dir;
    const auto file = dir / "journal.txt";
    JournalOpen(file.string());
    {
        Held<TestSource> source;
        Held<TestConsumer> consumer;
        ASSERT_HR(S_OK, m_graph->AddFilter(source.base(), L"Capture \"A\""));
        ASSERT_HR(S_OK, m_graph->AddFilter(consumer.base(), L"Dest Filter"));
        ComPtr<IBaseFilter> demux = Create<IBaseFilter>(CLSID_MPEG2Demultiplexer);
        ASSERT_HR(S_OK, m_graph->AddFilter(demux.Get(), L"MPEG2 Demultiplexer"));
        ASSERT_HR(S_OK, m_graph->Connect(source->Pin(), consumer->Pin()));
        EXPECT_TRUE(
            FAILED(m_graph->Connect(PinNamed(demux.Get(), L"1").Get(), PinNamed(demux.Get(), L"MPEG-2 Stream").Get())));
        ASSERT_HR(S_OK, m_control->Run());
        ASSERT_HR(S_OK, m_control->Stop());
        ASSERT_HR(S_OK, m_graph->RemoveFilter(demux.Get()));
        JournalClose();
    }
    const std::string expected =
        "graph add \"Capture \\\"A\\\"\"\n"
        "graph add \"Dest Filter\"\n"
        "graph add \"MPEG2 Demultiplexer\"\n"
        "graph connect \"Capture \\\"A\\\"\":\"Out\" -> \"Dest Filter\":\"In\" -> 0x00000000\n"
        "graph connect \"MPEG2 Demultiplexer\":\"1\" -> \"MPEG2 Demultiplexer\":\"MPEG-2 Stream\" -> 0x80040207\n"
        "graph run\n"
        "graph stop\n"
        "graph remove \"MPEG2 Demultiplexer\"\n";
    EXPECT_EQ(expected, TempDir::ReadFile(file));
}

} // namespace
