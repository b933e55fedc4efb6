// Adding filters and connecting them pin to pin, with the reports each
// failure makes.
#include "graph/GraphConnect.h"

#include "platform/com/ClassRegistry.h"
#include "tests/graph/GraphRig.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

namespace {

class GraphConnectTest : public GraphRig {
protected:
    void SetUp() override
    {
        GraphRig::SetUp();
        ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_graph)));
    }
    void TearDown() override
    {
        m_graph = nullptr;
        GraphRig::TearDown();
    }

    ComPtr<IBaseFilter> Add(const TestFilterSpec& spec, LPCWSTR name)
    {
        ComPtr<IBaseFilter> filter;
        EXPECT_HR(S_OK, CreateDeviceTestFilter(spec, &filter));
        EXPECT_HR(S_OK, m_graph->AddFilter(filter.Get(), name));
        return filter;
    }

    ComPtr<IGraphBuilder> m_graph;
};

// Two outputs of the same kind, so a name picks one of them.
TestFilterSpec Source() { return {{StreamOutput(L"Out A"), StreamOutput(L"Out B")}, std::nullopt, false}; }
TestFilterSpec Sink() { return {{StreamInput(L"In A"), StreamInput(L"In B")}, std::nullopt, false}; }

TEST_F(GraphConnectTest, ConnectPinsReportsEachFailureAndConnectsOtherwise)
{
    const ComPtr<IBaseFilter> source = Add(Source(), L"source");
    const ComPtr<IBaseFilter> sink = Add(Sink(), L"sink");
    const ComPtr<IBaseFilter> deaf = Add({{DeafInput(L"In")}, std::nullopt, false}, L"deaf");
    const ComPtr<IBaseFilter> inputsOnly = Add({{StreamInput(L"In")}, std::nullopt, false}, L"inputs only");
    const ComPtr<IBaseFilter> outputsOnly = Add({{StreamOutput(L"Out")}, std::nullopt, false}, L"outputs only");

    struct Case {
        const char* name;
        IGraphBuilder* graph;
        IBaseFilter* from;
        IBaseFilter* to;
        LPCWSTR outputPin;
        LPCWSTR inputPin;
        std::vector<std::wstring> messages;
        std::vector<std::string> connects; // the journal's connect lines
    };
    const Case cases[] = {
        {"no graph", nullptr, source.Get(), sink.Get(), nullptr, nullptr, {L"error: ConnectPins builder == NULL"}, {}},
        {"no source filter",
         m_graph.Get(),
         nullptr,
         sink.Get(),
         nullptr,
         nullptr,
         {L"error: ConnectPins out_from == NULL"},
         {}},
        {"no target filter",
         m_graph.Get(),
         source.Get(),
         nullptr,
         nullptr,
         nullptr,
         {L"error: ConnectPins in_to == NULL"},
         {}},
        {"source without output",
         m_graph.Get(),
         inputsOnly.Get(),
         sink.Get(),
         nullptr,
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - No output pin found on filter\r\n"},
         {}},
        {"target without input",
         m_graph.Get(),
         source.Get(),
         outputsOnly.Get(),
         nullptr,
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - No input pin found on filter\r\n"},
         {}},
        {"named output that does not exist",
         m_graph.Get(),
         source.Get(),
         sink.Get(),
         L"Out C",
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - No output pin found on filter\r\n"},
         {}},
        {"pins that do not agree",
         m_graph.Get(),
         source.Get(),
         deaf.Get(),
         nullptr,
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - Could not connect pins together. Error was: "},
         {"graph connect \"source\":\"Out A\" -> \"deaf\":\"In\" -> 0x80040207"}},
        {"named pins",
         m_graph.Get(),
         source.Get(),
         sink.Get(),
         L"Out B",
         L"In B",
         {},
         {"graph connect \"source\":\"Out B\" -> \"sink\":\"In B\" -> 0x00000000"}},
        {"first free pins",
         m_graph.Get(),
         source.Get(),
         sink.Get(),
         nullptr,
         nullptr,
         {},
         {"graph connect \"source\":\"Out A\" -> \"sink\":\"In A\" -> 0x00000000"}},
        {"every output already connected",
         m_graph.Get(),
         source.Get(),
         inputsOnly.Get(),
         nullptr,
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - No output pin found on filter\r\n"},
         {}},
        {"every input already connected",
         m_graph.Get(),
         outputsOnly.Get(),
         sink.Get(),
         nullptr,
         nullptr,
         {L"app: CBDAGraph::ConnectPins() - No input pin found on filter\r\n"},
         {}},
    };
    NewJournal();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.Clear();
        ConnectPins(c.graph, c.from, c.to, c.outputPin, c.inputPin);
        EXPECT_EQ(c.messages, m_messages.Texts());
        EXPECT_EQ(c.connects, NewJournal("graph connect"));
    }
}

TEST_F(GraphConnectTest, ConnectFiltersTriesEveryPairUntilOneConnects)
{
    // The first input refuses the stream; the second takes it.
    const ComPtr<IBaseFilter> source = Add(Source(), L"source");
    const ComPtr<IBaseFilter> target =
        Add({{DeafInput(L"Deaf"), StreamInput(L"Hearing")}, std::nullopt, false}, L"target");
    const ComPtr<IBaseFilter> deaf = Add({{DeafInput(L"In")}, std::nullopt, false}, L"deaf");
    NewJournal();

    EXPECT_HR(S_OK, ConnectFilters(m_graph.Get(), source.Get(), target.Get()));
    const std::vector<std::string> first = NewJournal("graph connect");
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ(0u, first[0].rfind("graph connect \"source\":\"Out A\" -> \"target\":\"Deaf\" -> 0x8", 0)) << first[0];
    EXPECT_EQ("graph connect \"source\":\"Out A\" -> \"target\":\"Hearing\" -> 0x00000000", first[1]);

    // Connected pins are passed over: Out B is next, and no input is free.
    EXPECT_HR(E_FAIL, ConnectFilters(m_graph.Get(), source.Get(), target.Get()));
    const std::vector<std::string> second = NewJournal("graph connect");
    ASSERT_EQ(1u, second.size());
    EXPECT_EQ(0u, second[0].rfind("graph connect \"source\":\"Out B\" -> \"target\":\"Deaf\" -> 0x8", 0)) << second[0];

    EXPECT_HR(E_FAIL, ConnectFilters(m_graph.Get(), deaf.Get(), source.Get())) << "no output upstream";
    EXPECT_HR(E_POINTER, ConnectFilters(m_graph.Get(), source.Get(), nullptr));
    EXPECT_HR(E_POINTER, ConnectFilters(nullptr, source.Get(), target.Get()));
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(GraphConnectTest, AddToGraphLogsAFailureAndReturnsIt)
{
    ComPtr<IBaseFilter> filter;
    ASSERT_HR(S_OK, CreateDeviceTestFilter(Source(), &filter));
    EXPECT_HR(S_OK, AddToGraph(m_graph.Get(), filter.Get()));
    EXPECT_TRUE(LogTexts().empty());
    EXPECT_TRUE(FAILED(AddToGraph(m_graph.Get(), filter.Get()))) << "already in the graph";
    EXPECT_HR(E_POINTER, AddToGraph(nullptr, filter.Get()));
    const std::vector<std::string> expected(2, "FAILED: Cannot add the filter to the graph");
    EXPECT_EQ(expected, LogTexts());
    EXPECT_EQ(std::vector<std::string>{"graph add \"0001\""}, NewJournal("graph add"));
}

} // namespace
