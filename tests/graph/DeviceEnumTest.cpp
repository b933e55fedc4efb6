// Enumerating one device category: why a start fails, names as the list shows
// them, binding a device, and every reference given back.
#include "graph/DeviceEnum.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "sink/CDestFilter.h"
#include "sink/RecordSession.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/support/JournalTail.h"
#include "tests/graph/DeviceRig.h"
#include "tests/support/LogTexts.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDrive.h"
#include "tests/support/TestComObject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// A system device enumerator whose every category fails to enumerate.
class BrokenDevEnum final : public HeapTestComObject<ICreateDevEnum> {
public:
    STDMETHODIMP CreateClassEnumerator(REFCLSID, IEnumMoniker** ppEnumMoniker, DWORD) override
    {
        *ppEnumMoniker = nullptr;
        return E_FAIL;
    }
};

runtime::DeviceFilterFactory Failing(HRESULT hr)
{
    return [hr](IBaseFilter** filter) {
        *filter = nullptr;
        return hr;
    };
}

class DeviceEnumTest : public DeviceRig {
protected:
    std::vector<std::string> Debug() const { return DebugTexts(m_journal.Text()); }
    std::vector<std::string> Log() const { return DriveLogTexts(m_drive.path()); }
};

TEST_F(DeviceEnumTest, FailedStartGivesNoContextAndSaysWhy)
{
    struct Case {
        const char* name;
        void (*prepare)();
        std::string debug;
    };
    const Case cases[] = {
        {"no system device enumerator", [] { UnregisterComClass(CLSID_SystemDeviceEnum); },
         "FAIL: enum_create(): Cannot CoCreate ICreateDevEnum"},
        {"the category cannot be enumerated",
         [] {
             RegisterComClass(CLSID_SystemDeviceEnum, [](IUnknown*, REFIID riid, void** ppv) {
                 ComPtr<ICreateDevEnum> devices(new BrokenDevEnum);
                 return devices->QueryInterface(riid, ppv);
             });
         },
         "FAIL: enum_create(): Cannot CreateClassEnumerator"},
        {"empty category", [] {}, "FAIL: enum_create(): Class not found, CreateClassEnumerator returned S_FALSE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        runtime::RegisterDeviceClasses(m_catalog, m_drive / "TuningSpaces.ini");
        c.prepare();
        JournalClose();
        std::filesystem::remove(m_drive / "journal.txt");
        JournalOpen((m_drive / "journal.txt").string());
        EXPECT_EQ(nullptr, enum_create(KSCATEGORY_BDA_NETWORK_TUNER));
#ifndef _WIN32 // on Windows the debug output is the system's, not in the journal
        EXPECT_EQ(std::vector<std::string>{c.debug}, Debug());
#endif
    }
}

TEST_F(DeviceEnumTest, StepsThroughTheCategoryInOrderAndAnUnreadableNameReadsEmpty)
{
    AddTuner(L"Kavro N72 DVBS/S2 Tuner B");
    AddTuner(std::nullopt);
    AddTuner(L"Kavro N71 DVBS/S2 Tuner");
    m_catalog->AddDevice(KSCATEGORY_BDA_RECEIVER_COMPONENT, L"Kavro Capture", Failing(E_FAIL));

    DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_NETWORK_TUNER));
    ASSERT_TRUE(devices);
    struct Step {
        bool readable;
        const char* name;
    };
    const Step steps[] = {{true, "Kavro N72 DVBS/S2 Tuner B"}, {false, ""}, {true, "Kavro N71 DVBS/S2 Tuner"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_HR(S_OK, enum_next(devices.get()));
        EXPECT_EQ(step.readable, SUCCEEDED(enum_get_name(devices.get())));
        EXPECT_STREQ(step.name, devices->name.data());
        EXPECT_EQ(FromUtf8(step.name), devices->wideName.data());
    }
    EXPECT_NE(S_OK, enum_next(devices.get()));
    EXPECT_NE(S_OK, enum_next(devices.get())) << "the end stays the end";
    EXPECT_EQ(std::vector<std::string>{"enum_get_name(): IPropertyBag->Read method failed"}, Log());
}

TEST_F(DeviceEnumTest, LongNamesAreCutToTheFieldsWithoutSplittingACharacter)
{
    struct Case {
        const char* name;
        std::wstring friendly;
        std::wstring wide;
        std::string narrow;
    };
    const std::wstring a255(255, L'a');
    const Case cases[] = {
        {"255 characters fit", a255, a255, std::string(255, 'a')},
        {"300 characters keep 255", std::wstring(300, L'b'), std::wstring(255, L'b'), std::string(255, 'b')},
        {"a two-byte character at the end of the narrow field is left out whole", std::wstring(254, L'c') + L"\u00FC",
         std::wstring(254, L'c') + L"\u00FC", std::string(254, 'c')},
        {"non-ASCII inside the limit is kept", L"Kavro \u00DCbertragung", L"Kavro \u00DCbertragung",
         "Kavro \xC3\x9C"
         "bertragung"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_catalog->Clear();
        AddTuner(c.friendly);
        DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_NETWORK_TUNER));
        ASSERT_TRUE(devices);
        ASSERT_HR(S_OK, enum_next(devices.get()));
        ASSERT_HR(S_OK, enum_get_name(devices.get()));
        EXPECT_EQ(c.wide, devices->wideName.data());
        EXPECT_EQ(c.narrow, devices->name.data());
    }
}

TEST_F(DeviceEnumTest, BindGivesTheDevicesFilterOrTheBindFailure)
{
    ComPtr<CDestFilter> made;
    ASSERT_HR(S_OK, CDestFilter::Create(RecordSession::Process(), &made));
    AddTuner(L"Tuner with a filter",
             [made](IBaseFilter** filter) { return made->QueryInterface(IID_PPV_ARGS(filter)); });
    AddTuner(L"Tuner that cannot be bound", Failing(E_OUTOFMEMORY));

    DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_NETWORK_TUNER));
    ASSERT_TRUE(devices);
    ComPtr<IBaseFilter> filter;
    EXPECT_HR(E_UNEXPECTED, enum_bind(devices.get(), &filter)) << "before the first device";

    ASSERT_HR(S_OK, enum_next(devices.get()));
    ASSERT_HR(S_OK, enum_bind(devices.get(), filter.ReleaseAndGetAddressOf()));
    EXPECT_EQ(static_cast<IBaseFilter*>(made.Get()), filter.Get());

    ASSERT_HR(S_OK, enum_next(devices.get()));
    EXPECT_HR(E_OUTOFMEMORY, enum_bind(devices.get(), filter.ReleaseAndGetAddressOf()));
    EXPECT_FALSE(filter);
    EXPECT_HR(E_POINTER, enum_bind(devices.get(), nullptr));
}

} // namespace
