// Which object and property set the program talks to per device kind, and
// how the calls reach it.
#include "graph/KsControl.h"

#include "graph/DriverPayloads.h"
#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "tests/graph/MessageCapture.h"
#include "tests/graph/DeviceTestFilter.h"
#include "tests/support/ComAssert.h"
#include "tests/support/ProcessState.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KsControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_live.Start();
        ResetProcessState();
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    void TearDown() override
    {
        ResetProcessState();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    ComPtr<IBaseFilter> Tuner(const TestFilterSpec& spec)
    {
        ComPtr<IBaseFilter> filter;
        EXPECT_HR(S_OK, CreateDeviceTestFilter(spec, &filter));
        return filter;
    }

    KsAnswer Answer(const char* label, std::optional<GUID> set) { return {label, set, m_log}; }

    std::shared_ptr<KsLog> m_log = std::make_shared<KsLog>();
    MessageCapture m_messages;
    SimObjectCheck m_live;
};

std::wstring PinName(IPin* pin)
{
    PIN_INFO info{};
    if (!pin || FAILED(pin->QueryPinInfo(&info))) {
        return L"(none)";
    }
    if (info.pFilter) info.pFilter->Release();
    return info.achName;
}

TEST_F(KsControlTest, EachDeviceKindGetsItsObject)
{
    struct Case {
        const char* name;
        TestFilterSpec spec;
        KsCtrlPath expectedPath;
        const char* expectedObject; // who receives the property calls; null: nobody
        const wchar_t* expectedPin; // the pin handed back; null: none
        std::vector<std::wstring> expectedMessages;
    };
    const KsAnswer usbFilter = Answer("filter", KSPROPSETID_CTRL_EXTENSION);
    const KsAnswer pciFilter = Answer("filter", std::nullopt);
    const KsAnswer bdaPin = Answer("pin", KSPROPSETID_BDA_EXTENSION);
    const Case cases[] = {
        {"USB box",
         {{AntennaInput(L"Input0"), StreamOutput(L"MPEG2 Transport")}, usbFilter},
         KsCtrlPath::Usb,
         "filter",
         nullptr,
         {}},
        {"USB box whose input pin also offers the BDA set",
         {{AntennaInput(L"Input0", bdaPin), StreamOutput(L"MPEG2 Transport")}, usbFilter},
         KsCtrlPath::Usb,
         "filter",
         nullptr,
         {}},
        {"PCI-E card",
         {{AntennaInput(L"Input0", bdaPin), StreamOutput(L"MPEG2 Transport")}, pciFilter},
         KsCtrlPath::Pci,
         "pin",
         L"Input0",
         {}},
        {"PCI-E card whose pin name holds Input0",
         {{AntennaInput(L"BDA Input0 Pin", bdaPin)}, pciFilter},
         KsCtrlPath::Pci,
         "pin",
         L"BDA Input0 Pin",
         {}},
        {"PCI-E card without an Input0 pin",
         {{AntennaInput(L"Antenna In", bdaPin)}, pciFilter},
         KsCtrlPath::NoInterface,
         nullptr,
         nullptr,
         {}},
        {"tuner filter without the interface",
         {{AntennaInput(L"Input0", bdaPin)}, std::nullopt},
         KsCtrlPath::Refused,
         nullptr,
         nullptr,
         {L"error: m_pTunerDevice USB QueryInterface Failed"}},
        {"Input0 pin without the interface",
         {{AntennaInput(L"Input0")}, pciFilter},
         KsCtrlPath::Refused,
         nullptr,
         L"Input0",
         {L"error: m_pTunerDevice PCI/PCI-E QueryInterface Failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.Clear();
        ComPtr<IBaseFilter> tuner = Tuner(c.spec);
        ComPtr<IPin> pin;
        EXPECT_EQ(c.expectedPath, ObtainKsCtrl(tuner.Get(), nullptr, pin));
        EXPECT_EQ(c.expectedMessages, m_messages.Texts());
        EXPECT_EQ(c.expectedPin ? std::wstring(c.expectedPin) : L"(none)", PinName(pin.Get()));
        EXPECT_EQ(c.expectedPath == KsCtrlPath::Usb, IsUsbTuner());

        const std::size_t before = m_log->Calls().size();
        GoldCodeParams code{};
        const HRESULT hr = KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GOLDCODE, code);
        const std::vector<KsLog::Call> calls = m_log->Calls();
        if (c.expectedObject) {
            ASSERT_EQ(before + 1, calls.size());
            EXPECT_EQ(c.expectedObject, calls.back().object);
        } else {
            EXPECT_HR(E_POINTER, hr);
            EXPECT_EQ(before, calls.size()) << "nothing sent without an interface";
            EXPECT_FALSE(TunerGraph::Process().m_pKsCtrl);
        }
        pin = nullptr;
        ReleaseKsCtrl(TunerGraph::Process());
        EXPECT_EQ(1u, refCount(tuner.Get())) << "no reference left behind";
    }
}

TEST_F(KsControlTest, UsbBoxTakesEveryPropertyThroughTheFilter)
{
    ComPtr<IBaseFilter> tuner = Tuner({{AntennaInput(L"Input0", Answer("pin", KSPROPSETID_BDA_EXTENSION))},
                                       Answer("filter", KSPROPSETID_CTRL_EXTENSION)});
    ComPtr<IPin> pin;
    ASSERT_EQ(KsCtrlPath::Usb, ObtainKsCtrl(tuner.Get(), nullptr, pin));

    TuningBlock block{};
    GoldCodeParams code = MakeGoldCodeParams(5, GOLDCODE_TYPE_GOLD);
    ModcodList modcods{};
    StreamInfo info{};
    InputStreamRecord stream{};
    EXPECT_HR(S_OK, KsSetValueOnly(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC, &block, sizeof(block)));
    EXPECT_HR(S_OK, KsSet(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_GOLDCODE, code));
    EXPECT_HR(S_OK, KsSet(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_MODCODES, modcods));
    EXPECT_HR(S_OK, KsGet(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_GET_MEDIAINFO, info));
    // The input stream identifier keeps the BDA set, on the same object.
    KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_INPUTMULTISTREAMID, stream);

    const std::vector<KsLog::Call> calls = m_log->Calls();
    ASSERT_EQ(6u, calls.size()); // the probe, then the five calls
    for (const KsLog::Call& call : calls) {
        EXPECT_EQ("filter", call.object) << call.op << " " << call.id;
    }
}

TEST_F(KsControlTest, CallsPassOneBufferAsInstanceAndValue)
{
    ComPtr<IBaseFilter> tuner =
        Tuner({{AntennaInput(L"Input0", Answer("pin", KSPROPSETID_BDA_EXTENSION))}, Answer("filter", std::nullopt)});
    ComPtr<IPin> pin;
    ASSERT_EQ(KsCtrlPath::Pci, ObtainKsCtrl(tuner.Get(), nullptr, pin));

    StreamTypeParams type = MakeStreamTypeParams(false);
    TuningBlock block{};
    block.frequencyMhz = 12345;
    EXPECT_HR(S_OK, KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS, type));
    EXPECT_HR(S_OK, KsGet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_STREAMTYPE_PARAMS, type));
    KsSetValueOnly(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC, &block, sizeof(block));
    EXPECT_HR(S_OK, KsQuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_DISEQC));
    EXPECT_TRUE(FAILED(KsQuerySupported(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC)));

    std::vector<KsLog::Call> calls = m_log->Calls();
    // The filter was probed once before the pin took over.
    ASSERT_EQ(6u, calls.size());
    EXPECT_EQ("filter", calls[0].object);
    EXPECT_EQ(KSPROPERTY_CTRL_PROBE, calls[0].id);
    const std::vector<BYTE> gs = {0, 1};
    EXPECT_EQ("set", calls[1].op);
    EXPECT_EQ(gs, calls[1].instance);
    EXPECT_EQ(gs, calls[1].value);
    EXPECT_EQ("get", calls[2].op);
    EXPECT_EQ(gs, calls[2].instance) << "the previous value goes as instance data";
    EXPECT_EQ("set", calls[3].op);
    EXPECT_TRUE(calls[3].instance.empty()) << "the tuning block goes without instance data";
    EXPECT_EQ(288u, calls[3].value.size());
    EXPECT_EQ(0x39, calls[3].value[0]);
    EXPECT_EQ(0x30, calls[3].value[1]);
}

TEST_F(KsControlTest, FindPinByNameTakesTheLastPinContainingTheText)
{
    ComPtr<IBaseFilter> filter = Tuner({{AntennaInput(L"Input0"), StreamOutput(L"Output"), AntennaInput(L"Input0 (2)"),
                                         StreamOutput(L"Sortie \u00e9")},
                                        std::nullopt});
    struct Case {
        const char* name;
        const char* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"two pins contain the text: the later wins", "Input0", L"Input0 (2)"},
        {"whole name", "Output", L"Output"},
        {"case matters", "input0", L"(none)"},
        {"every pin contains it", "t", L"Sortie \u00e9"},
        {"name beyond 7-bit characters", "e \xc3\xa9", L"Sortie \u00e9"},
        {"no pin contains it", "Input1", L"(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, PinName(FindPinByName(filter.Get(), c.text).Get()));
    }
    EXPECT_FALSE(FindPinByName(nullptr, "Input0"));
    EXPECT_EQ(1u, refCount(filter.Get()));
}

} // namespace
