#include "platform/com/OleAuto.h"

#include "tests/support/ComAssert.h"
#include "tests/support/TestComObject.h"

#include <gtest/gtest.h>

namespace {

// Counts its references so a test can see what a VARIANT holds.
class CountedObject final : public TestComObject<IUnknown> {
public:
    CountedObject() : TestComObject(1) {}
};

TEST(OleAutoTest, BstrKeepsLengthAndEmbeddedZeros)
{
    struct Case {
        const char* name;
        std::wstring text;
    };
    const Case cases[] = {
        {"empty text", L""},
        {"plain text", L"FriendlyName"},
        {"embedded zero", std::wstring(L"ab\0cd", 5)},
        {"characters beyond 16 bits", L"\U0001F4E1 dish"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BSTR b = BstrFrom(c.text);
        ASSERT_NE(nullptr, b);
        EXPECT_EQ(c.text.size(), SysStringLen(b));
        EXPECT_EQ(c.text.size() * 2, SysStringByteLen(b));
        EXPECT_EQ(L'\0', b[c.text.size()]);
        EXPECT_EQ(c.text, BstrText(b));
        SysFreeString(b);
    }
}

TEST(OleAutoTest, NullBstrReadsAsEmpty)
{
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(std::wstring(), BstrText(nullptr));
    SysFreeString(nullptr);

    BSTR zeros = SysAllocStringLen(nullptr, 3);
    ASSERT_NE(nullptr, zeros);
    EXPECT_EQ(3u, SysStringLen(zeros));
    EXPECT_EQ(std::wstring(3, L'\0'), BstrText(zeros));
    SysFreeString(zeros);
}

TEST(OleAutoTest, AbsurdLengthFailsInsteadOfOverflowing)
{
    EXPECT_EQ(nullptr, SysAllocStringLen(nullptr, 0xFFFFFFFFu));
}

TEST(OleAutoTest, VariantCopyOwnsItsOwnBstr)
{
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(L"Kavro");

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_HR(S_OK, VariantCopy(&copy, &source));
    ASSERT_EQ(VT_BSTR, copy.vt);
    EXPECT_NE(source.bstrVal, copy.bstrVal);
    EXPECT_HR(S_OK, VariantClear(&source));
    EXPECT_EQ(VT_EMPTY, source.vt);
    EXPECT_EQ(L"Kavro", BstrText(copy.bstrVal));
    EXPECT_HR(S_OK, VariantClear(&copy));
}

TEST(OleAutoTest, VariantHoldsOneInterfaceReference)
{
    CountedObject object;
    VARIANT held;
    VariantInit(&held);
    held.vt = VT_UNKNOWN;
    held.punkVal = &object;
    object.AddRef();

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_HR(S_OK, VariantCopy(&copy, &held));
    EXPECT_EQ(3u, object.Refs());
    EXPECT_HR(S_OK, VariantClear(&copy));
    EXPECT_HR(S_OK, VariantClear(&held));
    EXPECT_EQ(1u, object.Refs());
}

// Linux only: the system's VariantClear and VariantCopy know by-reference values.
#ifndef _WIN32
TEST(OleAutoTest, UnknownTypeIsRefusedAndLeftAlone)
{
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 0x4000 | VT_I4; // by-reference values are not carried here
    EXPECT_HR(DISP_E_BADVARTYPE, VariantClear(&odd));
    EXPECT_EQ(0x4000 | VT_I4, odd.vt);

    VARIANT target;
    VariantInit(&target);
    EXPECT_HR(DISP_E_BADVARTYPE, VariantCopy(&target, &odd));
    EXPECT_EQ(VT_EMPTY, target.vt);
}
#endif

} // namespace
