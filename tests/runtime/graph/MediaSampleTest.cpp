// Media samples of the platform allocator: data length limits, stream and
// media times, the media type copy, and fresh properties on reuse.
#include "runtime/graph/MediaSample.h"
#include "filterbase/MediaTypeFunctions.h"

#include "platform/com/ComPtr.h"
#include "platform/com/TaskMem.h"
#include "runtime/graph/MemAllocator.h"
#include "tests/support/ComAssert.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

namespace {

class MediaSampleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HR(
            S_OK,
            runtime::MemAllocator::CreateInstance(nullptr, IID_IMemAllocator, reinterpret_cast<void**>(&m_allocator)));
        ALLOCATOR_PROPERTIES request{1, 1316, 1, 0};
        ALLOCATOR_PROPERTIES actual{};
        ASSERT_HR(S_OK, m_allocator->SetProperties(&request, &actual));
        ASSERT_HR(S_OK, m_allocator->Commit());
        ASSERT_HR(S_OK, m_allocator->GetBuffer(&m_sample, nullptr, nullptr, 0));
    }
    void TearDown() override
    {
        m_sample = nullptr;
        m_allocator = nullptr;
        m_live.ExpectNoneLeft();
    }

    // Gives the sample back and takes the pool's only buffer again.
    void Reuse()
    {
        m_sample = nullptr;
        ASSERT_HR(S_OK, m_allocator->GetBuffer(&m_sample, nullptr, nullptr, 0));
    }

    SimObjectCheck m_live;
    ComPtr<IMemAllocator> m_allocator;
    ComPtr<IMediaSample> m_sample;
};

TEST_F(MediaSampleTest, ActualDataLengthStaysWithinTheBuffer)
{
    struct Case {
        const char* name;
        LONG length;
        HRESULT expected;
        LONG after;
    };
    const Case cases[] = {
        {"empty", 0, S_OK, 0},
        {"one packet", 188, S_OK, 188},
        {"whole buffer", 1316, S_OK, 1316},
        {"one byte beyond the buffer", 1317, E_INVALIDARG, 1316},
        {"negative", -1, E_INVALIDARG, 1316},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_HR(S_OK, m_sample->SetActualDataLength(1316));
        EXPECT_HR(c.expected, m_sample->SetActualDataLength(c.length));
        EXPECT_EQ(c.after, m_sample->GetActualDataLength());
    }
    EXPECT_EQ(1316, m_sample->GetSize());
}

TEST_F(MediaSampleTest, StreamTimes)
{
    REFERENCE_TIME start = 1000;
    REFERENCE_TIME end = 2000;
    REFERENCE_TIME gotStart = 0;
    REFERENCE_TIME gotEnd = 0;
    EXPECT_HR(VFW_E_SAMPLE_TIME_NOT_SET, m_sample->GetTime(&gotStart, &gotEnd));

    ASSERT_HR(S_OK, m_sample->SetTime(&start, &end));
    EXPECT_HR(S_OK, m_sample->GetTime(&gotStart, &gotEnd));
    EXPECT_EQ(1000, gotStart);
    EXPECT_EQ(2000, gotEnd);

    ASSERT_HR(S_OK, m_sample->SetTime(&start, nullptr));
    EXPECT_HR(VFW_S_NO_STOP_TIME, m_sample->GetTime(&gotStart, &gotEnd));
    EXPECT_EQ(1000, gotStart);
    EXPECT_EQ(1001, gotEnd);

    ASSERT_HR(S_OK, m_sample->SetTime(nullptr, nullptr));
    EXPECT_HR(VFW_E_SAMPLE_TIME_NOT_SET, m_sample->GetTime(&gotStart, &gotEnd));
    EXPECT_HR(E_POINTER, m_sample->GetTime(nullptr, &gotEnd));
}

TEST_F(MediaSampleTest, MediaTimes)
{
    LONGLONG start = 5;
    LONGLONG end = 9;
    LONGLONG gotStart = 0;
    LONGLONG gotEnd = 0;
    EXPECT_HR(VFW_E_MEDIA_TIME_NOT_SET, m_sample->GetMediaTime(&gotStart, &gotEnd));
    EXPECT_HR(E_POINTER, m_sample->SetMediaTime(&start, nullptr));
    ASSERT_HR(S_OK, m_sample->SetMediaTime(&start, &end));
    EXPECT_HR(S_OK, m_sample->GetMediaTime(&gotStart, &gotEnd));
    EXPECT_EQ(5, gotStart);
    EXPECT_EQ(9, gotEnd);
    ASSERT_HR(S_OK, m_sample->SetMediaTime(nullptr, nullptr));
    EXPECT_HR(VFW_E_MEDIA_TIME_NOT_SET, m_sample->GetMediaTime(&gotStart, &gotEnd));
}

TEST_F(MediaSampleTest, MediaTypeIsCopiedBothWays)
{
    AM_MEDIA_TYPE* none = reinterpret_cast<AM_MEDIA_TYPE*>(0x1);
    EXPECT_HR(S_FALSE, m_sample->GetMediaType(&none));
    EXPECT_EQ(nullptr, none);

    BYTE format[3] = {1, 2, 3};
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Stream;
    type.subtype = MEDIASUBTYPE_MPEG2_TRANSPORT;
    type.cbFormat = sizeof(format);
    type.pbFormat = format;
    ASSERT_HR(S_OK, m_sample->SetMediaType(&type));
    format[0] = 9; // the sample holds its own copy

    AM_MEDIA_TYPE* got = nullptr;
    ASSERT_HR(S_OK, m_sample->GetMediaType(&got));
    ASSERT_NE(nullptr, got);
    EXPECT_EQ(MEDIATYPE_Stream, got->majortype);
    EXPECT_EQ(MEDIASUBTYPE_MPEG2_TRANSPORT, got->subtype);
    ASSERT_EQ(3u, got->cbFormat);
    EXPECT_NE(format, got->pbFormat);
    EXPECT_EQ(1, got->pbFormat[0]);
    DeleteMediaType(got);

    ASSERT_HR(S_OK, m_sample->SetMediaType(nullptr));
    EXPECT_HR(S_FALSE, m_sample->GetMediaType(&got));
}

TEST_F(MediaSampleTest, ReusedSampleStartsFresh)
{
    REFERENCE_TIME start = 1;
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Stream;
    ASSERT_HR(S_OK, m_sample->SetTime(&start, &start));
    ASSERT_HR(S_OK, m_sample->SetMediaTime(&start, &start));
    ASSERT_HR(S_OK, m_sample->SetDiscontinuity(TRUE));
    ASSERT_HR(S_OK, m_sample->SetSyncPoint(TRUE));
    ASSERT_HR(S_OK, m_sample->SetPreroll(TRUE));
    ASSERT_HR(S_OK, m_sample->SetActualDataLength(10));
    ASSERT_HR(S_OK, m_sample->SetMediaType(&type));

    Reuse();

    REFERENCE_TIME t1 = 0;
    REFERENCE_TIME t2 = 0;
    EXPECT_HR(VFW_E_SAMPLE_TIME_NOT_SET, m_sample->GetTime(&t1, &t2));
    EXPECT_HR(VFW_E_MEDIA_TIME_NOT_SET, m_sample->GetMediaTime(&t1, &t2));
    EXPECT_HR(S_FALSE, m_sample->IsDiscontinuity());
    EXPECT_HR(S_FALSE, m_sample->IsSyncPoint());
    EXPECT_HR(S_FALSE, m_sample->IsPreroll());
    EXPECT_EQ(1316, m_sample->GetActualDataLength());
    AM_MEDIA_TYPE* got = nullptr;
    EXPECT_HR(S_FALSE, m_sample->GetMediaType(&got));
}

} // namespace
