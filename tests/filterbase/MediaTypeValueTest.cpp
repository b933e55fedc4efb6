// MediaTypeValue: initial value, copies that own their format block and
// count their format object, what counts as partially specified, and partial matching.
#include "filterbase/MediaTypeValue.h"
#include "filterbase/MediaTypeFunctions.h"

#include "FilterRig.h"
#include "platform/com/TaskMem.h"
#include "tests/support/TestComObject.h"

#include <utility>

namespace {

// A format object that counts its references.
class CountedObject final : public TestComObject<IUnknown> {
public:
    CountedObject() : TestComObject(1) {}
};

TEST(MediaTypeValueTest, StartsInitialised)
{
    const MediaTypeValue type;
    EXPECT_EQ(GUID_NULL, type.majortype);
    EXPECT_EQ(GUID_NULL, type.subtype);
    EXPECT_EQ(TRUE, type.bFixedSizeSamples);
    EXPECT_EQ(FALSE, type.bTemporalCompression);
    EXPECT_EQ(1u, type.lSampleSize);
    EXPECT_EQ(0u, type.cbFormat);
    EXPECT_EQ(nullptr, type.pbFormat);
    EXPECT_EQ(nullptr, type.pUnk);
}

TEST(MediaTypeValueTest, AssignCopiesTheBlockAndCountsTheObject)
{
    CountedObject object;
    const BYTE format[5] = {1, 2, 3, 4, 5};
    MediaTypeValue source = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);
    ASSERT_HR(S_OK, source.SetFormat(format, sizeof(format)));
    source.pUnk = &object;
    object.AddRef();

    {
        MediaTypeValue copy;
        ASSERT_HR(S_OK, copy.Assign(source));
        EXPECT_TRUE(copy.Equals(source));
        EXPECT_NE(source.pbFormat, copy.pbFormat);
        EXPECT_EQ(3u, object.Refs());
        ASSERT_HR(S_OK, copy.Assign(copy)) << "assigning itself changes nothing";
        EXPECT_EQ(3u, object.Refs());
        EXPECT_TRUE(copy.Equals(source));

        MediaTypeValue moved(std::move(copy));
        EXPECT_EQ(nullptr, copy.pbFormat);
        EXPECT_EQ(3u, object.Refs()) << "a move takes the reference along";
        EXPECT_TRUE(moved.Equals(source));
    }
    EXPECT_EQ(2u, object.Refs()) << "the copy gave its reference back";
    source.Free();
    EXPECT_EQ(1u, object.Refs());
    EXPECT_EQ(0u, source.cbFormat);
    EXPECT_EQ(nullptr, source.pbFormat);
}

TEST(MediaTypeValueTest, TaskAllocatedRecords)
{
    MediaTypeValue source = TypeOf(MEDIATYPE_Stream, kSubB, FORMAT_None);
    const BYTE format[2] = {7, 8};
    ASSERT_HR(S_OK, source.SetFormat(format, sizeof(format)));
    AM_MEDIA_TYPE* record = CreateMediaType(&source);
    ASSERT_NE(nullptr, record);
    EXPECT_TRUE(source.Equals(*record));
    MediaTypeValue::Delete(record);
    MediaTypeValue::Delete(nullptr);

    auto* moved = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    source.MoveTo(*moved);
    EXPECT_EQ(kSubB, moved->subtype);
    EXPECT_EQ(GUID_NULL, source.subtype) << "the value is initialised again";
    DeleteMediaType(moved);
}

TEST(MediaTypeValueTest, PartiallySpecified)
{
    struct Case {
        const char* name;
        GUID major;
        GUID format;
        bool partial;
    };
    const Case cases[] = {
        {"major and format", MEDIATYPE_Stream, FORMAT_None, false},
        {"no major type", GUID_NULL, FORMAT_None, true},
        {"no format type", MEDIATYPE_Stream, GUID_NULL, true},
        {"nothing", GUID_NULL, GUID_NULL, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.partial, TypeOf(c.major, kSubA, c.format).IsPartiallySpecified());
    }
}

TEST(MediaTypeValueTest, MatchesPartial)
{
    const BYTE blockA[2] = {1, 2};
    const BYTE blockB[2] = {1, 3};
    MediaTypeValue type = TypeOf(MEDIATYPE_Stream, kSubA, FORMAT_None);
    ASSERT_HR(S_OK, type.SetFormat(blockA, sizeof(blockA)));

    struct Case {
        const char* name;
        GUID major;
        GUID sub;
        GUID format;
        const BYTE* block;
        ULONG size;
        bool matches;
    };
    const Case cases[] = {
        {"empty pattern", GUID_NULL, GUID_NULL, GUID_NULL, nullptr, 0, true},
        {"same major", MEDIATYPE_Stream, GUID_NULL, GUID_NULL, nullptr, 0, true},
        {"other major", MEDIATYPE_MPEG2_SECTIONS, GUID_NULL, GUID_NULL, nullptr, 0, false},
        {"other subtype", GUID_NULL, kSubB, GUID_NULL, nullptr, 0, false},
        {"same format and block", GUID_NULL, GUID_NULL, FORMAT_None, blockA, 2, true},
        {"same format, other block", GUID_NULL, GUID_NULL, FORMAT_None, blockB, 2, false},
        {"same format, other size", GUID_NULL, GUID_NULL, FORMAT_None, blockA, 1, false},
        {"other format type", GUID_NULL, GUID_NULL, kSubC, blockA, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MediaTypeValue pattern = TypeOf(c.major, c.sub, c.format);
        ASSERT_HR(S_OK, pattern.SetFormat(c.block, c.size));
        EXPECT_EQ(c.matches, type.MatchesPartial(pattern));
    }
}

} // namespace
