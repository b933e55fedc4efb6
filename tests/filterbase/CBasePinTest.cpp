// CBasePin: connecting (media type negotiation and its refusals),
// disconnecting, QueryAccept, pin information and references.
#include "filterbase/CBasePin.h"

#include "FilterRig.h"
#include "filterbase/MediaTypeFunctions.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TaskMem.h"

#include <string>

namespace {

using CBasePinTest = FilterRig;

TEST_F(CBasePinTest, ConnectAgreesOnTheFirstTypeBothAccept)
{
    struct Case {
        const char* name;
        bool outputTypesFirst;
        bool withTemplate;
        GUID expected;
        std::vector<GUID> triedByInput;
    };
    const Case cases[] = {
        // The input pin offers B then C, the output pin A then C; the input
        // accepts everything but B, the output everything.
        {"receiving pin's types first", false, false, kSubC, {kSubB, kSubC}},
        {"own types first", true, false, kSubA, {kSubA}},
        {"template picks among the offered types", false, true, kSubA, {kSubA}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakePair();
        in->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubB));
        in->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubC));
        out->offered.clear();
        out->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubA));
        out->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubC));
        in->accept = [](const AM_MEDIA_TYPE& t) { return t.subtype == kSubB ? S_FALSE : S_OK; };
        out->TryOwnTypesFirst(c.outputTypesFirst);
        const MediaTypeValue pattern = TypeOf(GUID_NULL, kSubA);
        ASSERT_HR(S_OK, out->Connect(in, c.withTemplate ? &pattern : nullptr));
        EXPECT_EQ(c.expected, out->CurrentMediaType().subtype);
        EXPECT_EQ(c.expected, in->CurrentMediaType().subtype);
        EXPECT_EQ(c.triedByInput, in->checkedSubtypes);
        EXPECT_HR(S_OK, out->Disconnect());
        EXPECT_HR(S_OK, in->Disconnect());
    }
}

TEST_F(CBasePinTest, ConnectWithAFullTypeTriesOnlyThatType)
{
    MakePair();
    in->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubB));
    const MediaTypeValue full = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);
    ASSERT_HR(S_OK, out->Connect(in, &full));
    AM_MEDIA_TYPE agreed{};
    ASSERT_HR(S_OK, in->ConnectionMediaType(&agreed));
    EXPECT_TRUE(full.Equals(agreed));
    FreeMediaType(agreed);
    EXPECT_EQ(std::vector<GUID>{kSubA}, in->checkedSubtypes);
}

TEST_F(CBasePinTest, RefusedConnectionsReportWhy)
{
    struct Case {
        const char* name;
        HRESULT inputCheck;         // the input pin's CheckMediaType answer
        HRESULT inputComplete;      // its CompleteConnect
        HRESULT outputCheckConnect; // the output pin's CheckConnect
        HRESULT expected;
    };
    const Case cases[] = {
        {"type refused with S_FALSE", S_FALSE, S_OK, S_OK, VFW_E_NO_ACCEPTABLE_TYPES},
        {"type refused with E_FAIL", E_FAIL, S_OK, S_OK, VFW_E_NO_ACCEPTABLE_TYPES},
        {"other failure of the receiving pin is reported", E_OUTOFMEMORY, S_OK, S_OK, E_OUTOFMEMORY},
        {"receiving pin fails to complete", S_OK, E_UNEXPECTED, S_OK, E_UNEXPECTED},
        {"connecting pin refuses the peer", S_OK, S_OK, VFW_E_NO_TRANSPORT, VFW_E_NO_TRANSPORT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakePair();
        out->offered.clear();
        out->offered.push_back(TypeOf(MEDIATYPE_Stream, kSubA));
        const HRESULT check = c.inputCheck;
        in->accept = [check](const AM_MEDIA_TYPE&) { return check; };
        in->failCompleteConnect = c.inputComplete;
        out->failCheckConnect = c.outputCheckConnect;
        EXPECT_HR(c.expected, out->Connect(in, nullptr));
        EXPECT_FALSE(out->IsConnected());
        EXPECT_FALSE(in->IsConnected());
        EXPECT_GE(out->breakConnect, 1);
        IPin* peer = reinterpret_cast<IPin*>(0x1);
        EXPECT_HR(VFW_E_NOT_CONNECTED, out->ConnectedTo(&peer));
        EXPECT_EQ(nullptr, peer);
    }
}

TEST_F(CBasePinTest, ReceiveConnectionRefusals)
{
    MakePair();
    TestFilter* other = NewFilter();
    TestInputPin* sameDirection = other->AddPin(std::make_unique<TestInputPin>(other, L"In2"));
    const MediaTypeValue type = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);

    struct Case {
        const char* name;
        HRESULT check;
        HRESULT expected;
    };
    const Case cases[] = {
        {"success other than S_OK", S_FALSE, VFW_E_TYPE_NOT_ACCEPTED},
        {"E_FAIL", E_FAIL, VFW_E_TYPE_NOT_ACCEPTED},
        {"E_INVALIDARG", E_INVALIDARG, VFW_E_TYPE_NOT_ACCEPTED},
        {"any other failure passes", E_OUTOFMEMORY, E_OUTOFMEMORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HRESULT check = c.check;
        in->accept = [check](const AM_MEDIA_TYPE&) { return check; };
        EXPECT_HR(c.expected, in->ReceiveConnection(out, &type));
        EXPECT_FALSE(in->IsConnected());
    }
    in->accept = nullptr;
    EXPECT_HR(VFW_E_INVALID_DIRECTION, in->ReceiveConnection(sameDirection, &type));
    EXPECT_HR(E_POINTER, in->ReceiveConnection(nullptr, &type));
    EXPECT_HR(E_POINTER, in->ReceiveConnection(out, nullptr));

    in->failCompleteConnect = E_FAIL;
    EXPECT_HR(E_FAIL, in->ReceiveConnection(out, &type));
    EXPECT_FALSE(in->IsConnected());
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(upstream))) << "a failed connection keeps no peer";
}

TEST_F(CBasePinTest, ConnectionOnlyWhileStoppedAndOnlyOnce)
{
    MakePair();
    TestFilter* third = NewFilter();
    TestInputPin* spare = third->AddPin(std::make_unique<TestInputPin>(third, L"Spare"));
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    EXPECT_HR(VFW_E_ALREADY_CONNECTED, out->Connect(spare, nullptr));
    const MediaTypeValue type = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);
    EXPECT_HR(VFW_E_ALREADY_CONNECTED, in->ReceiveConnection(out, &type));

    ASSERT_HR(S_OK, third->Run(0));
    TestFilter* fourth = NewFilter();
    TestOutputPin* out2 = fourth->AddPin(std::make_unique<TestOutputPin>(fourth, L"Out2"));
    EXPECT_HR(VFW_E_NOT_STOPPED, spare->ReceiveConnection(out2, &type));
    ASSERT_HR(S_OK, fourth->Run(0));
    EXPECT_HR(VFW_E_NOT_STOPPED, out2->Connect(spare, nullptr));
    third->Stop();
    fourth->Stop();
    EXPECT_HR(E_POINTER, out2->Connect(nullptr, nullptr));
}

TEST_F(CBasePinTest, DisconnectRules)
{
    MakePair();
    EXPECT_HR(S_FALSE, in->Disconnect()) << "not connected";
    ASSERT_HR(S_OK, out->Connect(in, nullptr));
    ASSERT_HR(S_OK, downstream->Run(0));
    EXPECT_HR(VFW_E_NOT_STOPPED, in->Disconnect());
    EXPECT_TRUE(in->IsConnected());
    ASSERT_HR(S_OK, downstream->Stop());

    in->failBreakConnect = E_FAIL;
    EXPECT_HR(E_FAIL, in->Disconnect());
    EXPECT_TRUE(in->IsConnected()) << "a failing BreakConnect keeps the connection";
    in->failBreakConnect = S_OK;
    EXPECT_HR(S_OK, in->Disconnect());
    EXPECT_FALSE(in->IsConnected());
    EXPECT_HR(S_OK, out->Disconnect());
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(upstream))) << "the peer reference is gone";
}

TEST_F(CBasePinTest, QueryAcceptTurnsRefusalsIntoSFalse)
{
    MakePair();
    struct Case {
        const char* name;
        HRESULT check;
        HRESULT expected;
    };
    const Case cases[] = {
        {"accepted", S_OK, S_OK},
        {"success code passes", S_FALSE, S_FALSE},
        {"refused with an error", VFW_E_TYPE_NOT_ACCEPTED, S_FALSE},
        {"out of memory", E_OUTOFMEMORY, S_FALSE},
    };
    const MediaTypeValue type = TypeOf(MEDIATYPE_Stream, kSubA);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HRESULT check = c.check;
        in->accept = [check](const AM_MEDIA_TYPE&) { return check; };
        EXPECT_HR(c.expected, in->QueryAccept(&type));
    }
    EXPECT_HR(E_POINTER, in->QueryAccept(nullptr));
}

TEST_F(CBasePinTest, ConnectedToAndConnectionMediaType)
{
    MakePair();
    AM_MEDIA_TYPE type{};
    type.lSampleSize = 77;
    EXPECT_HR(VFW_E_NOT_CONNECTED, in->ConnectionMediaType(&type));
    EXPECT_EQ(GUID_NULL, type.majortype);
    EXPECT_EQ(TRUE, type.bFixedSizeSamples);
    EXPECT_EQ(1u, type.lSampleSize) << "initialised as a MediaTypeValue is";

    BYTE format[4] = {1, 2, 3, 4};
    MediaTypeValue full = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);
    ASSERT_HR(S_OK, full.SetFormat(format, sizeof(format)));
    ASSERT_HR(S_OK, out->Connect(in, &full));
    ASSERT_HR(S_OK, in->ConnectionMediaType(&type));
    EXPECT_TRUE(full.Equals(type));
    EXPECT_NE(full.pbFormat, type.pbFormat) << "the caller gets its own format block";
    FreeMediaType(type);

    IPin* peer = nullptr;
    ASSERT_HR(S_OK, in->ConnectedTo(&peer));
    EXPECT_EQ(static_cast<IPin*>(out), peer);
    peer->Release();
    EXPECT_HR(E_POINTER, in->ConnectedTo(nullptr));
    EXPECT_HR(E_POINTER, in->ConnectionMediaType(nullptr));
}

TEST_F(CBasePinTest, PinInformation)
{
    TestFilter* filter = NewFilter();
    const std::wstring longName(200, L'p');
    TestInputPin* pin = filter->AddPin(std::make_unique<TestInputPin>(filter, longName.c_str()));

    PIN_INFO info{};
    ASSERT_HR(S_OK, pin->QueryPinInfo(&info));
    EXPECT_EQ(static_cast<IBaseFilter*>(filter), info.pFilter);
    EXPECT_EQ(PINDIR_INPUT, info.dir);
    EXPECT_EQ(longName.substr(0, 127), std::wstring(info.achName));
    EXPECT_EQ(2u, refCount(static_cast<IBaseFilter*>(filter)));
    info.pFilter->Release();

    LPWSTR id = nullptr;
    ASSERT_HR(S_OK, pin->QueryId(&id));
    EXPECT_EQ(longName, std::wstring(id)) << "the id is the whole name";
    CoTaskMemFree(id);

    PIN_DIRECTION direction = PINDIR_OUTPUT;
    ASSERT_HR(S_OK, pin->QueryDirection(&direction));
    EXPECT_EQ(PINDIR_INPUT, direction);
    EXPECT_HR(E_POINTER, pin->QueryPinInfo(nullptr));
    EXPECT_HR(E_POINTER, pin->QueryId(nullptr));
    EXPECT_HR(E_POINTER, pin->QueryDirection(nullptr));
}

TEST_F(CBasePinTest, InterfacesAndQualityControl)
{
    MakePair();
    struct Case {
        const char* name;
        IPin* pin;
        const IID& iid;
        bool supported;
    };
    const Case cases[] = {
        {"input IPin", in, IID_IPin, true},
        {"input IQualityControl", in, IID_IQualityControl, true},
        {"input IMemInputPin", in, IID_IMemInputPin, true},
        {"input IUnknown", in, IID_IUnknown, true},
        {"input IBaseFilter", in, IID_IBaseFilter, false},
        {"output IPin", out, IID_IPin, true},
        {"output IMemInputPin", out, IID_IMemInputPin, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectInterface(c.pin, c.iid, c.supported);
    }
    IQualityControl* quality = in;
    EXPECT_HR(E_POINTER, quality->Notify(nullptr, Quality{}));
    EXPECT_HR(S_OK, quality->Notify(downstream, Quality{}));
    EXPECT_HR(S_OK, quality->SetSink(quality));
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(downstream))) << "the quality sink is not counted";
}

} // namespace
