// The device list record: enumeration order, unreadable names, empty machines,
// more tuners than entries and names longer than a slot, and the log lines.
#include "graph/DeviceGetList.h"

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/graph/DeviceRig.h"
#include "tests/support/LogTexts.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

class DeviceGetListTest : public DeviceRig {
protected:
    void AddTuners(const std::vector<std::optional<std::wstring>>& names)
    {
        for (const auto& name : names) AddTuner(name);
    }

    static std::vector<std::string> Names(const DeviceListRecord& list)
    {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < list.Total(); ++i) names.push_back(list.Name(i));
        return names;
    }
};

TEST_F(DeviceGetListTest, ListsTheTunersAsEnumerated)
{
    const std::wstring b300 = std::wstring(300, L'b');
    std::vector<std::optional<std::wstring>> twenty;
    std::vector<std::string> twentyNames;
    for (int i = 1; i <= 20; ++i) {
        twenty.emplace_back(L"Tuner " + std::to_wstring(i));
        twentyNames.push_back("Tuner " + std::to_string(i));
    }
    struct Case {
        const char* name;
        std::vector<std::optional<std::wstring>> tuners;
        int result;
        std::int32_t slotsUsed;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"enumeration order, not sorted",
         {L"Kavro N72 DVBS/S2 Tuner B", L"Kavro N71 DVBS/S2 Tuner", L"Kavro N72 DVBS/S2 Tuner A"},
         0,
         3,
         {"Kavro N72 DVBS/S2 Tuner B", "Kavro N71 DVBS/S2 Tuner", "Kavro N72 DVBS/S2 Tuner A"}},
        {"no tuner", {}, 1, 0, {}},
        {"an unreadable name keeps its position", {L"First", std::nullopt, L"Third"}, 0, 3, {"First", "", "Third"}},
        {"only unreadable names still count", {std::nullopt}, 0, 1, {""}},
        {"a name longer than a slot is cut to 255 characters", {b300}, 0, 1, {std::string(255, 'b')}},
        {"twenty tuners: sixteen entries and four further names", twenty, 0, 16, twentyNames},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_catalog->Clear();
        AddTuners(c.tuners);
        // Left-overs of an earlier use must not survive.
        DeviceListRecord list;
        list.count = 7;
        std::memset(list.entries[0].data(), 'x', list.entries[0].size());
        list.further = {"stale"};

        EXPECT_EQ(c.result, DeviceGetList(&list));
        EXPECT_EQ(c.slotsUsed, list.count);
        EXPECT_EQ(c.names, Names(list));
        for (std::size_t slot = 0; slot < DeviceListRecord::kSlots; ++slot) {
            EXPECT_EQ('\0', list.entries[slot].back()) << "slot " << slot << " ends in its terminator";
        }
        if (c.names.empty()) {
            EXPECT_EQ('\0', list.entries[0][0]);
        }
    }
}

TEST_F(DeviceGetListTest, WritesItsStartAndEndToTheLog)
{
    AddTuners({L"Kavro U31 DVBS/S2 Tuner", std::nullopt});
    DeviceListRecord list;
    DeviceGetList(&list);
    m_catalog->Clear();
    DeviceGetList(&list);
    const std::vector<std::string> expected = {">> DeviceGetList", "enum_get_name(): IPropertyBag->Read method failed",
                                               "<< DeviceGetList", ">> DeviceGetList", "<< DeviceGetList"};
    EXPECT_EQ(expected, DriveLogTexts(m_drive.path()));
}

// Linux only: Windows keeps the process's multithreaded apartment alive, so a thread
// that has left its apartment still creates objects in it.
#ifndef _WIN32
TEST_F(DeviceGetListTest, OutsideAnApartmentTheListIsEmpty)
{
    AddTuners({L"Kavro N71 DVBS/S2 Tuner"});
    CoUninitialize();
    DeviceListRecord list;
    EXPECT_EQ(1, DeviceGetList(&list));
    EXPECT_EQ(0u, list.Total());
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
}
#endif

} // namespace
