#pragma once
// What the application-shell tests share: the device side of the simulated
// machine (DeviceRig: drive c:, journal, process state reset, no simulated
// object left alive) with a tuner list the test fills.
#include "process/ChosenDevice.h"
#include "tests/graph/DeviceRig.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class AppRig : public DeviceRig {
protected:
    void AddTuners(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names) AddTuner(name);
    }

    const std::filesystem::path& JournalPath() const { return m_journal.path(); }
    std::string Journal() const { return m_journal.Text(); }
};
