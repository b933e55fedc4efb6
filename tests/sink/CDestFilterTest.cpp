// The sink filter and its pin as the graph sees them: interfaces, pins,
// media types, and a connection from an upstream output pin with allocator
// negotiation.
#include "sink/CDestFilter.h"
#include "filterbase/MediaTypeFunctions.h"

#include "SinkRig.h"

namespace {

using CDestFilterTest = SinkRig;

TEST_F(CDestFilterTest, InterfacesOfTheFilter)
{
    IBaseFilter* filter = sink;
    struct Case {
        const char* name;
        const IID& iid;
        bool supported;
    };
    const Case cases[] = {
        {"IBaseFilter", IID_IBaseFilter, true},
        {"IMediaFilter", IID_IMediaFilter, true},
        {"IPersist", IID_IPersist, true},
        {"IUnknown", IID_IUnknown, true},
        {"IAMovieSetup refused", IID_IAMovieSetup, false},
        {"IPin", IID_IPin, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectInterface(filter, c.iid, c.supported);
    }
    for (const IID* iid : {&IID_IBaseFilter, &IID_IMediaFilter, &IID_IPersist}) {
        void* answer = nullptr;
        ASSERT_HR(S_OK, filter->QueryInterface(*iid, &answer));
        EXPECT_EQ(static_cast<void*>(filter), answer) << "all three are the IBaseFilter interface";
        filter->Release();
    }
    EXPECT_HR(E_POINTER, filter->QueryInterface(IID_IBaseFilter, nullptr));
    CLSID clsid{};
    ASSERT_HR(S_OK, filter->GetClassID(&clsid));
    EXPECT_EQ(GuidLiteral("{90D647A7-DFBB-48F9-861F-33F3660C03FD}"), clsid);
    LPWSTR vendor = nullptr;
    EXPECT_HR(E_NOTIMPL, filter->QueryVendorInfo(&vendor));
    EXPECT_EQ(1u, refCount(filter));
}

TEST_F(CDestFilterTest, OneInputPinNamedInput)
{
    EXPECT_EQ(1, sink->GetPinCount());
    EXPECT_EQ(static_cast<CBasePin*>(pin), sink->GetPin(0));
    EXPECT_EQ(nullptr, sink->GetPin(1));
    EXPECT_EQ(nullptr, sink->GetPin(-1));

    IPin* found = nullptr;
    ASSERT_HR(S_OK, sink->FindPin(L"Input", &found));
    EXPECT_EQ(static_cast<IPin*>(pin), found);
    found->Release();
    EXPECT_HR(VFW_E_NOT_FOUND, sink->FindPin(L"Output", &found));
    EXPECT_EQ(nullptr, found);

    PIN_INFO info{};
    ASSERT_HR(S_OK, pin->QueryPinInfo(&info));
    EXPECT_EQ(std::wstring(L"Input"), info.achName);
    EXPECT_EQ(PINDIR_INPUT, info.dir);
    info.pFilter->Release();

    struct Case {
        const char* name;
        const IID& iid;
        bool supported;
    };
    const Case cases[] = {
        {"IPin", IID_IPin, true},
        {"IMemInputPin", IID_IMemInputPin, true},
        {"IQualityControl", IID_IQualityControl, true},
        {"IUnknown", IID_IUnknown, true},
        {"IBaseFilter", IID_IBaseFilter, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectInterface(static_cast<IPin*>(pin), c.iid, c.supported);
    }
    ULONG count = 0;
    EXPECT_HR(E_NOTIMPL, pin->QueryInternalConnections(nullptr, &count));
    ALLOCATOR_PROPERTIES props{};
    EXPECT_HR(E_NOTIMPL, pin->GetAllocatorRequirements(&props));
    EXPECT_HR(S_FALSE, pin->ReceiveCanBlock());
    EXPECT_HR(S_OK, pin->NewSegment(0, 100, 1.0));
}

TEST_F(CDestFilterTest, OffersOneStreamTypeAndAcceptsEveryType)
{
    struct Case {
        const char* name;
        int position;
        HRESULT expected;
    };
    const Case cases[] = {
        {"the offered type", 0, S_OK},
        {"past the last", 1, VFW_S_NO_MORE_ITEMS},
        {"negative", -1, E_INVALIDARG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MediaTypeValue type(MEDIATYPE_MPEG2_SECTIONS);
        EXPECT_HR(c.expected, pin->GetMediaType(c.position, &type));
        if (c.expected == S_OK) {
            EXPECT_EQ(MEDIATYPE_Stream, type.majortype);
            EXPECT_EQ(GUID_NULL, type.subtype);
            EXPECT_EQ(TRUE, type.bFixedSizeSamples);
            EXPECT_EQ(FALSE, type.bTemporalCompression);
            EXPECT_EQ(188u, type.lSampleSize);
            EXPECT_EQ(GUID_NULL, type.formattype);
            EXPECT_EQ(0u, type.cbFormat);
            EXPECT_EQ(nullptr, type.pbFormat);
            EXPECT_EQ(nullptr, type.pUnk);
        }
    }
    ComPtr<IEnumMediaTypes> types;
    ASSERT_HR(S_OK, pin->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* got[2] = {};
    ULONG fetched = 0;
    EXPECT_HR(S_FALSE, types->Next(2, got, &fetched));
    ASSERT_EQ(1u, fetched);
    DeleteMediaType(got[0]);

    MediaTypeValue sections(MEDIATYPE_MPEG2_SECTIONS);
    sections.subtype = MEDIASUBTYPE_DVB_SI;
    EXPECT_HR(S_OK, pin->QueryAccept(&sections));
}

TEST_F(CDestFilterTest, ConnectsWithAnyTypeAndNegotiatesTheAllocator)
{
    // The source offers a section type, which the sink takes as it is.
    source = new TestFilter(&sourceLock, &sourceDestroyed);
    static_cast<IBaseFilter*>(source)->AddRef();
    sourcePin = source->AddPin(std::make_unique<TestOutputPin>(source, L"Out"));
    MediaTypeValue sections(MEDIATYPE_MPEG2_SECTIONS);
    sections.subtype = MEDIASUBTYPE_DVB_SI;
    sourcePin->offered.push_back(std::move(sections));
    sourcePin->TryOwnTypesFirst(true);

    ASSERT_HR(S_OK, sourcePin->Connect(pin, nullptr));
    AM_MEDIA_TYPE agreed{};
    ASSERT_HR(S_OK, pin->ConnectionMediaType(&agreed));
    EXPECT_EQ(MEDIATYPE_MPEG2_SECTIONS, agreed.majortype);
    FreeMediaType(agreed);

    // GetAllocator lent the platform allocator; NotifyAllocator confirmed it.
    ASSERT_NE(nullptr, sourcePin->Allocator());
    EXPECT_EQ(sourcePin->Allocator(), pin->Allocator());
    ComPtr<IMemAllocator> lent;
    ASSERT_HR(S_OK, pin->GetAllocator(&lent));
    EXPECT_EQ(sourcePin->Allocator(), lent.Get());
    lent = nullptr;

    // Running commits it; stopping decommits it through the sink's Inactive.
    ASSERT_HR(S_OK, source->Run(0));
    ASSERT_HR(S_OK, sink->Run(0));
    ComPtr<IMediaSample> sample;
    ASSERT_HR(S_OK, sourcePin->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_HR(S_OK, sourcePin->Deliver(sample.Get()));
    sample = nullptr;
    ASSERT_HR(S_OK, sink->Stop());
    IMediaSample* none = nullptr;
    EXPECT_HR(VFW_E_NOT_COMMITTED, sourcePin->GetDeliveryBuffer(&none, nullptr, nullptr, 0));
    ASSERT_HR(S_OK, source->Stop());

    // Disconnecting both sides gives every reference back.
    EXPECT_HR(S_OK, sourcePin->Disconnect());
    EXPECT_HR(S_OK, pin->Disconnect());
    EXPECT_EQ(nullptr, pin->Allocator());
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(sink)));
    EXPECT_EQ(1u, refCount(static_cast<IBaseFilter*>(source)));
}

} // namespace
