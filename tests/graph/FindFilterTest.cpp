// The first bindable device of a category.
#include "graph/FindFilter.h"

#include "platform/dshow/DeviceInterfaces.h"
#include "tests/graph/GraphRig.h"

#include <gtest/gtest.h>

namespace {

class FindFilterTest : public GraphRig {
protected:
    void AddDevice(std::optional<std::wstring> name, HRESULT bind, LPCWSTR pinName)
    {
        const TestFilterSpec spec{{StreamInput(pinName)}, std::nullopt, false};
        m_catalog->AddDevice(KSCATEGORY_BDA_TRANSPORT_INFORMATION, std::move(name), [spec, bind](IBaseFilter** filter) {
            if (FAILED(bind)) {
                *filter = nullptr;
                return bind;
            }
            return CreateDeviceTestFilter(spec, filter);
        });
    }
};

std::wstring FirstPinName(IBaseFilter* filter)
{
    if (!filter) return L"(none)";
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (FAILED(filter->EnumPins(&pins)) || pins->Next(1, &pin, nullptr) != S_OK) return L"(no pin)";
    PIN_INFO info{};
    pin->QueryPinInfo(&info);
    if (info.pFilter) info.pFilter->Release();
    return info.achName;
}

TEST_F(FindFilterTest, TheFirstDeviceThatNamesItselfAndBindsWins)
{
    AddDevice(std::nullopt, S_OK, L"unnamed");
    AddDevice(L"refuses to bind", E_FAIL, L"refusing");
    AddDevice(L"binds", S_OK, L"first bindable");
    AddDevice(L"binds too", S_OK, L"second bindable");
    NewJournal();

    EXPECT_EQ(L"first bindable", FirstPinName(FindFilter(KSCATEGORY_BDA_TRANSPORT_INFORMATION).Get()));
#ifndef _WIN32 // on Windows the debug output is the system's, not in the journal
    EXPECT_EQ(std::vector<std::string>{"debug \"FindFilter(): IPropertyBag->Read method failed\""},
              NewJournal("debug"));
#endif
}

TEST_F(FindFilterTest, NothingFound)
{
    AddDevice(L"refuses to bind", E_FAIL, L"refusing");
    EXPECT_FALSE(FindFilter(KSCATEGORY_BDA_TRANSPORT_INFORMATION)) << "no device binds";
    EXPECT_FALSE(FindFilter(KSCATEGORY_BDA_RECEIVER_COMPONENT)) << "empty category";
}

} // namespace
