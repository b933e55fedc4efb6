#pragma once
// A simulated machine for one graph test, built from the simulator's graph
// and device classes and small test devices: a drive c: of its own (the
// diagnostic log and the tuning space store live there), a journal file, the
// message boxes caught, graphMutex created, the process state reset
// (ResetProcessState) before and after, and at the end every simulator object
// gone.
#include "process/ChosenDevice.h"
#include "runtime/devices/DeviceCatalog.h"
#include "tests/graph/DeviceTestFilter.h"
#include "tests/graph/MessageCapture.h"
#include "tests/support/JournalTail.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class GraphRig : public ::testing::Test {
public:
    // Devices, appended to their category in enumeration order.
    void AddTuner(const std::wstring& name, const TestFilterSpec& spec = TunerSpec());
    void AddCapture(const TestFilterSpec& spec = CaptureSpec());
    void AddTransportInformation();
    // The usual machine: one tuner of this name (chosen), one receiver, a
    // transport information filter.
    void AddStandardDevices(const std::wstring& tunerName = L"Kavro N72 DVBS/S2 Tuner B");
    // deviceIndex and deviceName as the device selection leaves them.
    void Choose(int index, const std::wstring& name);

    // Journal lines written since the last call that start with prefix.
    std::vector<std::string> NewJournal(std::string_view prefix = "");
    // The diagnostic log's texts after their stamps, in order.
    std::vector<std::string> LogTexts() const;
    // Simulator objects alive beyond those of the test's start.
    long ExtraLiveObjects() const;

    // The record's object fields that are set, by name, in declaration order.
    static std::string PresentFields();

    TempDrive m_drive;
    MessageCapture m_messages;
    std::shared_ptr<runtime::DeviceCatalog> m_catalog = std::make_shared<runtime::DeviceCatalog>();

protected:
    void SetUp() override;
    void TearDown() override;

private:
    SimObjectCheck m_live;
    JournalTail m_journal{m_drive / "journal.txt"};
};
