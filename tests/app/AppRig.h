#pragma once
// What the application-shell tests share: a fresh drive c: (for the log), the
// device side of the simulated machine with a tuner list the test fills, the
// journal in the drive folder, and the process state reset (ResetProcessState)
// before and after each test, which must leave no simulated object alive.
#include "process/ChosenDevice.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/support/JournalTail.h"
#include "tests/support/ProcessState.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDrive.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class AppRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_live.Start();
        ResetProcessState();
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        runtime::RegisterDeviceClasses(m_catalog, m_drive / "TuningSpaces.ini");
        JournalOpen(JournalPath().string());
    }
    void TearDown() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ResetProcessState();
        while (CoInitializeCount() > 0) CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    void AddTuners(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names) {
            m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, name, [](IBaseFilter** filter) {
                *filter = nullptr;
                return E_FAIL;
            });
        }
    }

    const std::filesystem::path& JournalPath() const { return m_journal.path(); }
    std::string Journal() const { return m_journal.Text(); }

    TempDrive m_drive;
    JournalTail m_journal{m_drive / "journal.txt"};
    SimObjectCheck m_live;
    std::shared_ptr<runtime::DeviceCatalog> m_catalog = std::make_shared<runtime::DeviceCatalog>();
};
