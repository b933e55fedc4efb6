// The system device enumerator: categories in their configured order, names
// that cannot be read, binding a device to its filter, empty categories.
#include "runtime/devices/DeviceEnumerator.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class DeviceEnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        runtime::RegisterDeviceClasses(m_catalog, m_dir / "TuningSpaces.ini");
    }
    void TearDown() override
    {
        ClearComClassRegistry();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    ComPtr<IEnumMoniker> Enumerate(REFGUID category, HRESULT expected = S_OK)
    {
        ComPtr<ICreateDevEnum> devices;
        EXPECT_HR(S_OK,
                  CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices)));
        ComPtr<IEnumMoniker> monikers;
        EXPECT_HR(expected, devices->CreateClassEnumerator(category, &monikers, 0));
        return monikers;
    }

    // The friendly name of each device in enumeration order; nullopt where
    // the name cannot be read.
    std::vector<std::optional<std::wstring>> Names(IEnumMoniker* monikers)
    {
        std::vector<std::optional<std::wstring>> names;
        ComPtr<IMoniker> moniker;
        while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            ComPtr<IPropertyBag> bag;
            EXPECT_HR(S_OK, moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)));
            VARIANT name;
            VariantInit(&name);
            if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr))) {
                EXPECT_EQ(VT_BSTR, name.vt);
                names.emplace_back(BstrText(name.bstrVal));
            } else {
                EXPECT_EQ(VT_EMPTY, name.vt);
                names.emplace_back(std::nullopt);
            }
            VariantClear(&name);
        }
        return names;
    }

    TempDir m_dir;
    std::shared_ptr<runtime::DeviceCatalog> m_catalog = std::make_shared<runtime::DeviceCatalog>();

private:
    SimObjectCheck m_live;
};

runtime::DeviceFilterFactory Failing(HRESULT hr)
{
    return [hr](IBaseFilter** filter) {
        *filter = nullptr;
        return hr;
    };
}

TEST_F(DeviceEnumeratorTest, OrderIsTheConfiguredOrderAndUnreadableNamesKeepTheirPlace)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Kavro N72 DVBS/S2 Tuner B", Failing(E_FAIL));
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, std::nullopt, Failing(E_FAIL));
    m_catalog->AddDevice(KSCATEGORY_BDA_RECEIVER_COMPONENT, L"Capture", Failing(E_FAIL));
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Kavro N72 DVBS/S2 Tuner A", Failing(E_FAIL));

    const std::vector<std::optional<std::wstring>> expected = {L"Kavro N72 DVBS/S2 Tuner B", std::nullopt,
                                                               L"Kavro N72 DVBS/S2 Tuner A"};
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first enumeration" : "second enumeration");
        ComPtr<IEnumMoniker> monikers = Enumerate(KSCATEGORY_BDA_NETWORK_TUNER);
        ASSERT_TRUE(monikers);
        EXPECT_EQ(expected, Names(monikers.Get()));
        ASSERT_HR(S_OK, monikers->Reset());
        EXPECT_EQ(expected, Names(monikers.Get())) << "after Reset";
    }
}

TEST_F(DeviceEnumeratorTest, EmptyOrUnknownCategoryGivesSFalseAndNoEnumerator)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Tuner", Failing(E_FAIL));
    EXPECT_FALSE(Enumerate(KSCATEGORY_BDA_TRANSPORT_INFORMATION, S_FALSE));
    EXPECT_FALSE(Enumerate(KSCATEGORY_BDA_RECEIVER_COMPONENT, S_FALSE));
}

TEST_F(DeviceEnumeratorTest, BindToObjectReturnsTheFactorysFailure)
{
    struct Case {
        const char* name;
        runtime::DeviceFilterFactory factory;
        HRESULT expected;
    };
    const Case cases[] = {
        {"factory fails", Failing(E_OUTOFMEMORY), E_OUTOFMEMORY},
        {"factory gives nothing", Failing(S_OK), MK_E_NOOBJECT},
        {"factory throws", [](IBaseFilter**) -> HRESULT { throw 1; }, E_UNEXPECTED},
        {"no factory", nullptr, MK_E_NOOBJECT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_catalog->Clear();
        m_catalog->AddDevice(KSCATEGORY_BDA_RECEIVER_COMPONENT, L"Capture", c.factory);
        ComPtr<IEnumMoniker> monikers = Enumerate(KSCATEGORY_BDA_RECEIVER_COMPONENT);
        ComPtr<IMoniker> moniker;
        ASSERT_HR(S_OK, monikers->Next(1, &moniker, nullptr));
        ComPtr<IBaseFilter> filter;
        EXPECT_HR(c.expected, moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter)));
        EXPECT_FALSE(filter);
    }
}

TEST_F(DeviceEnumeratorTest, PropertyBagRefusesOtherNamesTypesAndWrites)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Tuner", Failing(E_FAIL));
    ComPtr<IEnumMoniker> monikers = Enumerate(KSCATEGORY_BDA_NETWORK_TUNER);
    ComPtr<IMoniker> moniker;
    ASSERT_HR(S_OK, monikers->Next(1, &moniker, nullptr));
    ComPtr<IPropertyBag> bag;
    ASSERT_HR(S_OK, moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)));

    VARIANT value;
    VariantInit(&value);
    EXPECT_HR(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), bag->Read(L"DevicePath", &value, nullptr));
    value.vt = VT_I4;
    EXPECT_HR(DISP_E_TYPEMISMATCH, bag->Read(L"FriendlyName", &value, nullptr));
    EXPECT_HR(E_ACCESSDENIED, bag->Write(L"FriendlyName", &value));
    ComPtr<IUnknown> other;
    EXPECT_HR(MK_E_NOSTORAGE, moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&other)));
}

TEST_F(DeviceEnumeratorTest, MonikersOfOneDeviceAreEqualAndOthersAreNot)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Same name", Failing(E_FAIL));
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, L"Same name", Failing(E_FAIL));
    ComPtr<IEnumMoniker> first = Enumerate(KSCATEGORY_BDA_NETWORK_TUNER);
    ComPtr<IEnumMoniker> second = Enumerate(KSCATEGORY_BDA_NETWORK_TUNER);
    IMoniker* a[2] = {};
    IMoniker* b[2] = {};
    ULONG fetched = 0;
    ASSERT_HR(S_OK, first->Next(2, a, &fetched));
    ASSERT_EQ(2u, fetched);
    ASSERT_HR(S_FALSE, second->Next(3, b, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_HR(S_OK, a[0]->IsEqual(b[0]));
    EXPECT_HR(S_FALSE, a[0]->IsEqual(a[1]));
    for (IMoniker* m : {a[0], a[1], b[0], b[1]}) m->Release();
}

} // namespace
