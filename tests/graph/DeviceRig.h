#pragma once
// The device side of the simulated machine for one test: a drive c: of its
// own (the diagnostic log, the tuning space store and the journal live
// there), the system device enumerator over a catalog the test fills, the
// process state reset before and after (ResetProcessState), and at the end
// no simulated object left alive. UI thread.
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/devices/DeviceCatalog.h"
#include "runtime/devices/DeviceClasses.h"
#include "tests/support/JournalTail.h"
#include "tests/support/ProcessState.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

class DeviceRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_live.Start();
        ResetProcessState();
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        runtime::RegisterDeviceClasses(m_catalog, m_drive / "TuningSpaces.ini");
        JournalOpen(m_journal.path().string());
    }
    void TearDown() override
    {
        // The code under test may have left the apartment; the reset runs inside one.
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ResetProcessState();
#ifdef _WIN32
        // Windows tells no count: an entry that finds the apartment entered
        // (S_FALSE) is left together with one entry before it.
        while (CoInitializeEx(nullptr, COINIT_MULTITHREADED) == S_FALSE) {
            CoUninitialize();
            CoUninitialize();
        }
        CoUninitialize();
#else
        while (CoInitializeCount() > 0) CoUninitialize();
#endif
        m_live.ExpectNoneLeft();
    }

    // A broadcast network tuner, appended to its category; name nullopt: one
    // whose friendly name cannot be read. By default its filter cannot be made.
    void AddTuner(std::optional<std::wstring> name, runtime::DeviceFilterFactory factory = CannotBeMade())
    {
        m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, std::move(name), std::move(factory));
    }

    static runtime::DeviceFilterFactory CannotBeMade()
    {
        return [](IBaseFilter** filter) {
            *filter = nullptr;
            return E_FAIL;
        };
    }

    TempDrive m_drive;
    JournalTail m_journal{m_drive / "journal.txt"};
    std::shared_ptr<runtime::DeviceCatalog> m_catalog = std::make_shared<runtime::DeviceCatalog>();

private:
    SimObjectCheck m_live;
};
