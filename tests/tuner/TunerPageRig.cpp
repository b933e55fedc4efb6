#include "tests/tuner/TunerPageRig.h"

#include "process/ChosenDevice.h"
#include "graph/GraphMutex.h"
#include "process/ProgramDirectory.h"
#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/Sync.h"
#include "platform/ui/automation/UiAutomation.h"
#include "tests/support/ProcessState.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

TunerPageHost::TunerPageHost() : PageHost(m_page, L"Tuner host", 300, 170) {}

void TunerPageRig::SetUp()
{
    m_live.Start();
    ResetProcessState();
    // The page leaves the apartment when it goes; the test enters one for it.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::filesystem::create_directories(m_drive / "prog");
    programDirectory = L"c:\\prog";
    if (!graphMutex) graphMutex = CreateMutex(nullptr, FALSE, nullptr);
    JournalOpen(m_journal.path().string());
    m_app.m_pszAppName = L"Kavro-TScap";
}

void TunerPageRig::TearDown()
{
    const bool installed = bool(m_machine);
    m_machine.reset();
    // The apartment is entered again if the page left it.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ResetProcessState();
    while (CoInitializeCount() > 0) CoUninitialize();
    if (installed) {
        const std::vector<std::string> lines = Lines(m_journal.Text());
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ("exit live_objects=0", lines.back()) << "every object the page held is released";
    }
    m_live.ExpectNoneLeft();
}

void TunerPageRig::InstallTuner(const std::string& kind, const std::string& tunerKeys)
{
    const std::wstring& name = kind == "usb" ? kUsbName : kPcieName;
    const std::string world =
        "[World]\nTuners=T\nSky=" KAVRO_SKY_DIR "\n[Tuner.T]\nName=" + std::string(name.begin(), name.end()) +
        "\nKind=" + kind + "\n" + tunerKeys + "\n[Cable.Home]\nPortA=sat 0192\nPortB=sat 0130\nPortC=motor\n";
    m_machine.reset();
    sim::SimMachineOptions options;
    options.worldText = world;
    options.tuningSpaceFile = m_drive / "TuningSpaces.ini";
    m_machine = sim::InstallSimulatedMachine(options);
    ASSERT_TRUE(m_machine);
    deviceIndex = 0;
    deviceName = name;
}

std::string TunerPageRig::Run(const std::string& script, std::function<void(TunerPageHost&)> afterInit)
{
    TunerPageHost host;
    host.afterInit = [&] {
        if (afterInit) afterInit(host);
    };
    m_app.m_pMainWnd = &host;
    std::string transcript = RunUiScript(script, [&] { host.DoModal(); });
    m_app.m_pMainWnd = nullptr;
    // The page has left the apartment; the next run enters it again.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    return transcript;
}

std::vector<std::string> TunerPageRig::NewJournal(const std::vector<std::string>& prefixes)
{
    return m_journal.Next(prefixes);
}

std::string TunerPageRig::SettingsText() const { return TempDir::ReadFile(m_drive / "prog" / "Kavro-TScap.ini"); }

void TunerPageRig::WriteSettings(const std::string& text) const
{
    TempDir::WriteFile(m_drive / "prog" / "Kavro-TScap.ini", text);
}

std::string Hex(const void* bytes, std::size_t size) { return JournalHex(bytes, size); }
