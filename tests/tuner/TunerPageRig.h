#pragma once
// A simulated machine for one Tuner Setting page test: the world given as
// text (one tuner, PCI-E or USB, with property modes), a drive c: of its own
// holding the program's folder "c:\prog" with the settings file, the journal,
// graphMutex, and a host dialog whose sheet holds the page, driven by a UI
// script. The process state is reset (ResetProcessState) before and after;
// at the end the machine is uninstalled and must report no object left alive.
#include "tuner/CBdacontrolDlg.h"

#include "platform/ui/CWinApp.h"
#include "sim/Install.h"
#include "tests/support/JournalTail.h"
#include "tests/support/PageHost.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDrive.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline const std::wstring kPcieName = L"Kavro N72 DVBS/S2 Tuner B";
inline const std::wstring kUsbName = L"Kavro U31 DVBS2 Tuner";

// The page, made before the host that shows it.
struct TunerPageHolder {
    CBdacontrolDlg m_page;
};

// The main window's stand-in: a dialog with a sheet holding only the page.
class TunerPageHost : public TunerPageHolder, public PageHost {
public:
    TunerPageHost();
};

class TunerPageRig : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Installs a machine with one tuner: kind "pcie" (named as N72 tuner B) or
    // "usb" (named as the U31); tunerKeys are added to its section.
    void InstallTuner(const std::string& kind, const std::string& tunerKeys = "");
    // Runs the host under script; returns the transcript.
    std::string Run(const std::string& script, std::function<void(TunerPageHost&)> afterInit = nullptr);

    // Journal lines written since the last call that start with one of the
    // prefixes ("ks set", "tune", "graph run" ...).
    std::vector<std::string> NewJournal(const std::vector<std::string>& prefixes);
    std::string SettingsText() const;
    void WriteSettings(const std::string& text) const;

    TempDrive m_drive;
    CWinApp m_app;
    std::unique_ptr<sim::SimulatedMachine> m_machine;

private:
    JournalTail m_journal{m_drive / "journal.txt"};
    SimObjectCheck m_live;
};

// Journal text of driver payloads.
std::string Hex(const void* bytes, std::size_t size);
