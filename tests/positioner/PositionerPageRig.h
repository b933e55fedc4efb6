#pragma once
// What the Motor/Positioner page tests share: a program folder of their own
// (programDirectory points at it, for CityList.txt and the satellite files), a
// journal in it, a simulated tuner of either kind whose property-set interface
// is TunerGraph's m_pKsCtrl, the page hosted in a dialog with a sheet and run
// under a UI script, and the message boxes caught by the toolkit's recorder.
// The process state is reset (ResetProcessState) before and after each test,
// which must leave no simulated object alive. UI thread.
#include "platform/ui/MessageRecorder.h"
#include "positioner/CPositionDlg.h"
#include "sim/tuner/PropertyModes.h"
#include "sim/tuner/TunerDevice.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/support/JournalTail.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDir.h"

#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One "ks set" journal line taken apart.
struct KsSetLine {
    std::string set; // "BDA" or "CTRL"
    int id = -1;
    std::vector<std::uint8_t> instance;
    std::vector<std::uint8_t> value;
    std::string result; // "0x00000000"
};

class PositionerPageRig : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A simulated tuner of this kind, its driver's properties as modes says,
    // becomes m_pKsCtrl the way the Tuner Setting page obtains it.
    void AttachTuner(sim::TunerKind kind, const std::function<void(sim::PropertyModes&)>& modes = {});
    void WriteCityList(const std::string& bytes);
    // A satellite file in the program's Transponders folder.
    void WriteSatellite(const std::string& fileName, const std::string& code, const std::string& name);

    // Runs the page (made afresh unless it lives on from an earlier run) under
    // script; inspect runs inside, after the page's initialisation and before
    // the script. Returns the transcript.
    std::string Run(const std::string& script, const std::function<void(CPositionDlg&)>& inspect = {});

    // The journal lines since the last call that begin with prefix.
    std::vector<std::string> Journal(const std::string& prefix);
    // The "ks set" lines since the last call to any of the journal readers.
    std::vector<KsSetLine> KsSets();
    // Message boxes since the last call: "CAPTION ICON: TEXT", with the
    // application's title written as "app".
    std::vector<std::string> Boxes();

    TempDir m_program;
    std::unique_ptr<CPositionDlg> m_page = std::make_unique<CPositionDlg>();

private:
    sim::Sky m_sky;
    ManualClock m_clock;
    std::shared_ptr<sim::TunerDevice> m_device;
    ComPtr<IBaseFilter> m_tuner;
    ComPtr<IPin> m_inputPin;
    MessageRecorder m_recorder;
    std::size_t m_boxesSeen = 0;
    JournalTail m_journal{m_program / "journal.txt"};
    SimObjectCheck m_live;
};

// Bytes as the journal writes them: upper-case hex, one blank between.
std::string Hex(const std::vector<std::uint8_t>& bytes);
