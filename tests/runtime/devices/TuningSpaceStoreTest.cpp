// The system tuning space store and the DVB-S tuning objects: what one run
// registers the next finds, values survive the file, the file format shrugs
// off damage, and the objects keep what is put into them.
#include "runtime/devices/TuningSpaceStore.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/InterfaceId.h"
#include "platform/com/WideText.h"
#include "platform/files/FileError.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/DVBSTuningSpace.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

const wchar_t kUniqueName[] = L"helvane dvb-s";

class TuningSpaceStoreTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void TearDown() override
    {
        ClearComClassRegistry();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    // One start of the program as far as the tuning space goes: look for the
    // space by unique name, register a new one when it is missing. Returns
    // whether this run registered one.
    bool ProgramRun()
    {
        runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
        bool registered = false;
        {
            ComPtr<ITuningSpaceContainer> store;
            EXPECT_HR(S_OK,
                      CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
            ComPtr<IEnumTuningSpaces> spaces;
            EXPECT_HR(S_OK, store->get_EnumTuningSpaces(&spaces));
            ComPtr<ITuningSpace> space;
            bool found = false;
            while (!found && spaces->Next(1, space.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
                BSTR name = nullptr;
                EXPECT_HR(S_OK, space->get_UniqueName(&name));
                found = BstrText(name) == kUniqueName;
                SysFreeString(name);
            }
            if (!found) {
                ComPtr<ITuningSpace> created = NewSatelliteSpace();
                VARIANT index;
                VariantInit(&index);
                EXPECT_HR(S_OK, store->Add(created.Get(), &index));
                EXPECT_EQ(VT_I4, index.vt);
                registered = true;
            }
        }
        ClearComClassRegistry();
        return registered;
    }

    // A space set up the way the program sets up its own.
    ComPtr<ITuningSpace> NewSatelliteSpace()
    {
        ComPtr<IDVBSLocator> locator;
        EXPECT_HR(S_OK, CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator)));
        ComPtr<IDVBTuningSpace2> space;
        EXPECT_HR(S_OK, CoCreateInstance(CLSID_DVBSTuningSpace, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&space)));
        BSTR type = SysAllocString(L"{FA4B375A-45B4-4D45-8440-263957B11623}");
        EXPECT_HR(S_OK, space->put_NetworkType(type));
        SysFreeString(type);
        EXPECT_HR(S_OK, space->put_SystemType(DVB_Satellite));
        EXPECT_HR(S_OK, space->put_DefaultLocator(locator.Get()));
        BSTR empty = SysAllocString(L"");
        EXPECT_HR(S_OK, space->put_FrequencyMapping(empty));
        SysFreeString(empty);
        BSTR friendly = SysAllocString(L"Local DVBS Tuner");
        EXPECT_HR(S_OK, space->put_FriendlyName(friendly));
        SysFreeString(friendly);
        BSTR unique = SysAllocString(kUniqueName);
        EXPECT_HR(S_OK, space->put_UniqueName(unique));
        SysFreeString(unique);
        ComPtr<IDVBSTuningSpace> satellite;
        EXPECT_HR(S_OK, space.QueryInterface(satellite));
        EXPECT_HR(S_OK, satellite->put_HighOscillator(-1));
        BSTR range = SysAllocString(L"-1");
        EXPECT_HR(S_OK, satellite->put_InputRange(range));
        SysFreeString(range);
        EXPECT_HR(S_OK, satellite->put_LNBSwitch(-1));
        EXPECT_HR(S_OK, satellite->put_LowOscillator(-1));
        EXPECT_HR(S_OK, satellite->put_SpectralInversion(BDA_SPECTRAL_INVERSION_NOT_SET));
        ComPtr<ITuningSpace> result;
        EXPECT_HR(S_OK, space.QueryInterface(result));
        return result;
    }

    TempDir m_dir;
    std::filesystem::path m_storeFile = m_dir / "drive_c" / "ProgramData" / "TuningSpaces.ini";

private:
    SimObjectCheck m_live;
};

TEST_F(TuningSpaceStoreTest, SpaceRegisteredByOneRunIsFoundByTheNext)
{
    EXPECT_TRUE(ProgramRun()) << "first run on a fresh machine registers the space";
    EXPECT_FALSE(ProgramRun()) << "second run finds it";
    EXPECT_FALSE(ProgramRun());
    std::vector<runtime::TuningSpaceValues> stored;
    ASSERT_HR(S_OK, runtime::TuningSpaceStoreFile(m_storeFile).Load(stored));
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ(kUniqueName, stored[0].uniqueName);
    EXPECT_EQ(CLSID_DVBSNetworkProvider, stored[0].networkType);
    EXPECT_EQ(DVB_Satellite, stored[0].systemType);
    EXPECT_EQ(L"-1", stored[0].inputRange);
    EXPECT_TRUE(stored[0].defaultLocator.has_value());
}

TEST_F(TuningSpaceStoreTest, EveryValueSurvivesTheStore)
{
    runtime::TuningSpaceValues values;
    values.uniqueName = L"line\nbreak \\ and \x01 control";
    values.friendlyName = L" Ümlaut \U0001F4E1 ";
    values.networkType = CLSID_DVBSNetworkProvider;
    values.systemType = DVB_Satellite;
    values.networkId = 42;
    values.frequencyMapping = L"1,2,3";
    values.lowOscillator = 9750000;
    values.highOscillator = 10600000;
    values.lnbSwitch = 11700000;
    values.inputRange = L"-1";
    values.spectralInversion = BDA_SPECTRAL_INVERSION_INVERTED;
    runtime::LocatorValues locator;
    locator.carrierFrequency = 11778000;
    locator.innerFEC = BDA_FEC_VITERBI;
    locator.innerFECRate = BDA_BCC_RATE_3_4;
    locator.outerFEC = BDA_FEC_RS_204_188;
    locator.outerFECRate = BDA_BCC_RATE_7_8;
    locator.modulation = BDA_MOD_8PSK;
    locator.symbolRate = 27500;
    locator.polarisation = BDA_POLARISATION_LINEAR_V;
    locator.westPosition = true;
    locator.orbitalPosition = 192;
    locator.azimuth = 1700;
    locator.elevation = 330;
    values.defaultLocator = locator;

    runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
    ComPtr<ITuningSpaceContainer> store;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
    ComPtr<IDVBSTuningSpace> space;
    space.Attach(runtime::DVBSTuningSpace::Create(values));
    VARIANT index;
    VariantInit(&index);
    ASSERT_HR(S_OK, store->Add(space.Get(), &index));

    ComPtr<ITuningSpace> back;
    ASSERT_HR(S_OK, store->get_Item(index, &back));
    // The identifier is the store's, not a property of the space.
    EXPECT_EQ(runtime::TuningSpaceStoreFile::Format({values}),
              runtime::TuningSpaceStoreFile::Format({runtime::DVBSTuningSpace::ReadValues(back.Get())}));
}

TEST_F(TuningSpaceStoreTest, AddRefusesWhatCannotBeStored)
{
    runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
    ComPtr<ITuningSpaceContainer> store;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
    ComPtr<ITuningSpace> space = NewSatelliteSpace();
    ASSERT_HR(S_OK, store->Add(space.Get(), nullptr));

    struct Case {
        const char* name;
        std::wstring uniqueName;
        HRESULT expected;
    };
    const Case cases[] = {
        {"unique name taken", kUniqueName, HRESULT_FROM_WIN32(52)},
        {"no unique name", L"", E_INVALIDARG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<ITuningSpace> other = NewSatelliteSpace();
        BSTR name = BstrFrom(c.uniqueName);
        ASSERT_HR(S_OK, other->put_UniqueName(name));
        SysFreeString(name);
        EXPECT_HR(c.expected, store->Add(other.Get(), nullptr));
    }
    EXPECT_HR(S_OK, store->put_MaxCount(1));
    ComPtr<ITuningSpace> third = NewSatelliteSpace();
    BSTR name = SysAllocString(L"another");
    ASSERT_HR(S_OK, third->put_UniqueName(name));
    SysFreeString(name);
    EXPECT_HR(E_FAIL, store->Add(third.Get(), nullptr)) << "store full";
    LONG count = 0;
    EXPECT_HR(S_OK, store->get_Count(&count));
    EXPECT_EQ(1, count);
}

TEST_F(TuningSpaceStoreTest, UnwritableStoreReportsTheFailure)
{
    // A file where the store's folder should be: nothing can be created below it.
    TempDir::WriteFile(m_dir / "blocked", "x");
    runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_dir / "blocked" / "TuningSpaces.ini");
    ComPtr<ITuningSpaceContainer> store;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
    ComPtr<ITuningSpace> space = NewSatelliteSpace();
    VARIANT index;
    VariantInit(&index);
    EXPECT_TRUE(FAILED(store->Add(space.Get(), &index)));
    EXPECT_EQ(VT_EMPTY, index.vt);
}

TEST_F(TuningSpaceStoreTest, SpaceAddedAfterTheLargestIdGetsAFreeId)
{
    std::filesystem::create_directories(m_storeFile.parent_path());
    TempDir::WriteFile(m_storeFile,
                       "[TuningSpace]\nId=2147483647\nUniqueName=last\n"
                       "[TuningSpace]\nId=1\nUniqueName=first\n");
    runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
    ComPtr<ITuningSpaceContainer> store;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
    VARIANT index;
    VariantInit(&index);
    ASSERT_HR(S_OK, store->Add(NewSatelliteSpace().Get(), &index));
    ASSERT_EQ(VT_I4, index.vt);
    EXPECT_EQ(2, index.lVal) << "the lowest id not taken";
    LONG count = 0;
    EXPECT_HR(S_OK, store->get_Count(&count));
    EXPECT_EQ(3, count) << "the new space is stored under its id";
}

TEST_F(TuningSpaceStoreTest, StoreFileThatIsNoFileIsRefusedAndKept)
{
    // A named pipe nobody writes would block a plain read for ever; a device
    // without end would fill memory; a file beyond any store's size likewise.
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        HRESULT expected;
    };
    const Case cases[] = {
#ifndef _WIN32
        // Named pipes and devices have no place among the files of a Windows folder.
        {"named pipe", [](const auto& p) { ASSERT_EQ(0, ::mkfifo(p.c_str(), 0644)); },
         HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
        {"link to an endless device", [](const auto& p) { std::filesystem::create_symlink("/dev/zero", p); },
         HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
#endif
        {"folder", [](const auto& p) { std::filesystem::create_directory(p); },
         HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
        {"oversized file",
         [](const auto& p) {
             TempDir::WriteFile(p, "[TuningSpace]\nId=1\nUniqueName=a\n" + std::string(4u << 20, '\n'));
         },
         HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_storeFile.parent_path());
        std::filesystem::create_directories(m_storeFile.parent_path());
        c.make(m_storeFile);
        const auto typeBefore = std::filesystem::symlink_status(m_storeFile).type();
        runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
        ComPtr<ITuningSpaceContainer> store;
        ASSERT_HR(S_OK,
                  CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
        LONG count = 99;
        EXPECT_HR(c.expected, store->get_Count(&count));
        EXPECT_EQ(0, count);
        ComPtr<IEnumTuningSpaces> spaces;
        EXPECT_HR(c.expected, store->get_EnumTuningSpaces(&spaces));
        EXPECT_EQ(nullptr, spaces.Get());
        VARIANT index;
        VariantInit(&index);
        EXPECT_HR(c.expected, store->Add(NewSatelliteSpace().Get(), &index));
        EXPECT_EQ(VT_EMPTY, index.vt);
        EXPECT_EQ(typeBefore, std::filesystem::symlink_status(m_storeFile).type()) << "not replaced";
        store = nullptr;
        ClearComClassRegistry();
    }
}

TEST(TuningSpaceStoreFileTest, DamagedFilesKeepWhatCanBeRead)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::wstring> uniqueNames;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"binary garbage", std::string("\0\xff\x80[Tuning\n==\n", 13), {}},
        {"keys before any section", "UniqueName=a\nId=1\n", {}},
        {"section without id", "[TuningSpace]\nUniqueName=a\n", {}},
        {"two spaces with one id", "[TuningSpace]\nId=1\nUniqueName=a\n[TuningSpace]\nId=1\nUniqueName=b\n", {L"a"}},
        {"bad number leaves the default",
         "[TuningSpace]\nId=2\nUniqueName=a\nLowOscillator=99999999999999\nSystemType=x\n",
         {L"a"}},
        {"CR LF lines and blanks", "[TuningSpace]\r\n Id = 3\r\nUniqueName=a b\r\n", {L"a b"}},
        {"broken escapes kept as written", "[TuningSpace]\nId=1\nUniqueName=a\\q\\x4\\\n", {L"a\\q\\x4\\"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::wstring> names;
        for (const auto& space : runtime::TuningSpaceStoreFile::Parse(c.text)) names.push_back(space.uniqueName);
        EXPECT_EQ(c.uniqueNames, names);
    }
    const auto bad = runtime::TuningSpaceStoreFile::Parse("[TuningSpace]\nId=2\nLowOscillator=99999999999999\n");
    ASSERT_EQ(1u, bad.size());
    EXPECT_EQ(-1, bad[0].lowOscillator);
}

TEST_F(TuningSpaceStoreTest, TuningObjectsKeepWhatIsPut)
{
    runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_storeFile);
    ComPtr<ITuningSpace> space = NewSatelliteSpace();
    ComPtr<ITuneRequest> request;
    ASSERT_HR(S_OK, space->CreateTuneRequest(&request));
    ComPtr<ITuningSpace> owner;
    ASSERT_HR(S_OK, request->get_TuningSpace(&owner));
    EXPECT_EQ(space.Get(), owner.Get()) << "a request belongs to the space that made it";
    ComPtr<ILocator> none;
    EXPECT_HR(S_FALSE, request->get_Locator(&none));
    EXPECT_HR(E_POINTER, request->put_Locator(nullptr));

    ComPtr<IDVBSLocator> locator;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator)));
    ASSERT_HR(S_OK, locator->put_CarrierFrequency(12188000));
    ASSERT_HR(S_OK, locator->put_SignalPolarisation(BDA_POLARISATION_LINEAR_H));
    ASSERT_HR(S_OK, request->put_Locator(locator.Get()));

    ComPtr<ITuneRequest> copy;
    ASSERT_HR(S_OK, request->Clone(&copy));
    ASSERT_HR(S_OK, locator->put_CarrierFrequency(10714000));
    ComPtr<ILocator> copied;
    ASSERT_HR(S_OK, copy->get_Locator(&copied));
    LONG frequency = 0;
    EXPECT_HR(S_OK, copied->get_CarrierFrequency(&frequency));
    EXPECT_EQ(12188000, frequency) << "a clone has its own locator";

    BSTR bad = SysAllocString(L"not a class");
    EXPECT_HR(E_INVALIDARG, space->put_NetworkType(bad));
    SysFreeString(bad);
    GUID type{};
    EXPECT_HR(S_OK, space->get__NetworkType(&type));
    EXPECT_EQ(CLSID_DVBSNetworkProvider, type) << "a refused text changes nothing";

    expectInterface(space.Get(), IID_IDVBTuningSpace2, true);
    expectInterface(space.Get(), IID_ILocator, false);
    expectInterface(request.Get(), IID_IDVBTuneRequest, true);
    expectInterface(locator.Get(), uuidof<IDigitalLocator>(), true);
}

} // namespace
