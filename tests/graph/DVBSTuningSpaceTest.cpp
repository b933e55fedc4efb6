// The program's DVB-S tuning space: what a new one carries, that the store
// gets exactly one across runs, and that a registered one is reused as it is.
#include "graph/DVBSTuningSpace.h"

#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/ClassRegistry.h"
#include "tests/graph/GraphRig.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

namespace {

class DVBSTuningSpaceTest : public GraphRig {
protected:
    ComPtr<ITuningSpaceContainer> Store()
    {
        ComPtr<ITuningSpaceContainer> store;
        EXPECT_HR(S_OK,
                  CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store)));
        return store;
    }

    // The unique names in the store, in its order.
    std::vector<std::wstring> StoredNames()
    {
        std::vector<std::wstring> names;
        ComPtr<IEnumTuningSpaces> spaces;
        if (FAILED(Store()->get_EnumTuningSpaces(&spaces))) return names;
        ComPtr<ITuningSpace> space;
        while (spaces->Next(1, space.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            names.push_back(Text(space.Get(), &ITuningSpace::get_UniqueName));
        }
        return names;
    }

    void Register(const wchar_t* uniqueName, const wchar_t* friendlyName, LONG lowOscillator)
    {
        ComPtr<ITuningSpace> space = CreateDVBSTuningSpace();
        ASSERT_TRUE(space);
        BSTR unique = BstrFrom(uniqueName);
        BSTR friendly = BstrFrom(friendlyName);
        space->put_UniqueName(unique);
        space->put_FriendlyName(friendly);
        SysFreeString(unique);
        SysFreeString(friendly);
        ComPtr<IDVBSTuningSpace> satellite;
        ASSERT_HR(S_OK, space.QueryInterface(satellite));
        satellite->put_LowOscillator(lowOscillator);
        VARIANT index;
        VariantInit(&index);
        ASSERT_HR(S_OK, Store()->Add(space.Get(), &index));
        VariantClear(&index);
    }

    template <class Interface>
    static std::wstring Text(Interface* object, HRESULT (STDMETHODCALLTYPE Interface::*get)(BSTR*))
    {
        BSTR value = nullptr;
        if (FAILED((object->*get)(&value))) return L"(failed)";
        std::wstring text = BstrText(value);
        SysFreeString(value);
        return text;
    }
};

TEST_F(DVBSTuningSpaceTest, NewSpaceCarriesTheProgramsValuesAndNoLnb)
{
    ComPtr<ITuningSpace> space = CreateDVBSTuningSpace();
    ASSERT_TRUE(space);
    ComPtr<IDVBSTuningSpace> satellite;
    ASSERT_HR(S_OK, space.QueryInterface(satellite));

    EXPECT_EQ(L"helvane dvb-s", Text(space.Get(), &ITuningSpace::get_UniqueName));
    EXPECT_EQ(L"Local DVBS Tuner", Text(space.Get(), &ITuningSpace::get_FriendlyName));
    EXPECT_EQ(L"", Text(space.Get(), &ITuningSpace::get_FrequencyMapping));
    EXPECT_EQ(L"-1", Text(satellite.Get(), &IDVBSTuningSpace::get_InputRange));
    GUID networkType{};
    EXPECT_HR(S_OK, space->get__NetworkType(&networkType));
    EXPECT_EQ(CLSID_DVBSNetworkProvider, networkType);
    DVBSystemType system{};
    EXPECT_HR(S_OK, satellite->get_SystemType(&system));
    EXPECT_EQ(DVB_Satellite, system);
    ComPtr<ILocator> locator;
    EXPECT_HR(S_OK, space->get_DefaultLocator(&locator));
    expectInterface(locator.Get(), IID_IDVBSLocator, true);

    struct Case {
        const char* name;
        HRESULT (STDMETHODCALLTYPE IDVBSTuningSpace::*get)(LONG*);
    };
    const Case unset[] = {
        {"low oscillator", &IDVBSTuningSpace::get_LowOscillator},
        {"high oscillator", &IDVBSTuningSpace::get_HighOscillator},
        {"LNB switch", &IDVBSTuningSpace::get_LNBSwitch},
    };
    for (const Case& c : unset) {
        SCOPED_TRACE(c.name);
        LONG value = 0;
        EXPECT_HR(S_OK, (satellite.Get()->*c.get)(&value));
        EXPECT_EQ(-1, value);
    }
    SpectralInversion inversion{};
    EXPECT_HR(S_OK, satellite->get_SpectralInversion(&inversion));
    EXPECT_EQ(BDA_SPECTRAL_INVERSION_NOT_SET, inversion);
    EXPECT_TRUE(StoredNames().empty()) << "making one does not register it";
}

TEST_F(DVBSTuningSpaceTest, TwoRunsRegisterOneSpace)
{
    AddStandardDevices();
    for (const char* run : {"first run", "second run"}) {
        SCOPED_TRACE(run);
        ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));
        ReleaseTunerGraph();
        EXPECT_EQ(std::vector<std::wstring>{L"helvane dvb-s"}, StoredNames());
    }
}

TEST_F(DVBSTuningSpaceTest, RegisteredSpaceIsReusedUnchanged)
{
    // Unique names are compared whole and with case.
    Register(L"Helvane DVB-S", L"Other case", 5150000);
    Register(L"helvane dvb-s2", L"Longer name", 5150000);
    Register(L"helvane dvb-s", L"Technician's", 9750000);

    ComPtr<ITuningSpace> space = GetDVBSTuningSpace();
    ASSERT_TRUE(space);
    EXPECT_EQ(L"Technician's", Text(space.Get(), &ITuningSpace::get_FriendlyName));
    ComPtr<IDVBSTuningSpace> satellite;
    ASSERT_HR(S_OK, space.QueryInterface(satellite));
    LONG low = 0;
    EXPECT_HR(S_OK, satellite->get_LowOscillator(&low));
    EXPECT_EQ(9750000, low);
    const std::vector<std::wstring> expected = {L"Helvane DVB-S", L"helvane dvb-s2", L"helvane dvb-s"};
    EXPECT_EQ(expected, StoredNames()) << "nothing registered";
}

} // namespace
