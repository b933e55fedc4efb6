// The start-up as a whole: Cancel ends the program before any main window or
// graph, an empty machine still opens the main window, the log lines of
// start-up and enumeration, programDirectory from the program's path.
#include "app/CBDAUtilApp.h"

#include "app/AppResources.h"
#include "graph/GraphMutex.h"
#include "process/ProgramDirectory.h"
#include "graph/TunerGraph.h"
#include "platform/files/WinPath.h"
#include "tests/app/AppRig.h"
#include "tests/support/LogTexts.h"
#include "tests/support/ComAssert.h"

#include "platform/ui/automation/Transcript.h"
#include "platform/ui/automation/UiAutomation.h"
#include "tests/support/UiScriptText.h"
#include "platform/ui/WinUser.h"

namespace {

class CBDAUtilAppTest : public AppRig {
protected:
    void SetUp() override
    {
        AppRig::SetUp();
        // Start-up enters its own apartment.
        CoUninitialize();
        programDirectory.clear();
    }
    void TearDown() override
    {
        OverrideModuleFileName(L"");
        AppRig::TearDown();
    }

    // Runs the whole start-up under script; returns the transcript.
    std::string Start(const std::string& script)
    {
        CBDAUtilApp app;
        RegisterAppResources();
        return RunUiScript(script, [&] { m_result = app.InitInstance(); });
    }

    BOOL m_result = TRUE;
};

TEST_F(CBDAUtilAppTest, CancelEndsTheProgramWithoutMainWindowOrGraph)
{
    AddTuners({L"Kavro N72 DVBS/S2 Tuner B", L"Kavro N71 DVBS/S2 Tuner"});
    const std::string transcript = Start(UiScriptText().Click(IDCANCEL));
    EXPECT_EQ(FALSE, m_result);
    EXPECT_TRUE(HasLinesInOrder(transcript, {"open 140 \"Kavro Record : Select device\"", "end 140 CANCEL"}));
    EXPECT_FALSE(HasLine(transcript, "open 102 \"KavroN71 TS Recorder\"")) << transcript;
    EXPECT_EQ(-1, deviceIndex);
    EXPECT_EQ(std::string::npos, Journal().find("graph ")) << Journal();
    EXPECT_TRUE(programDirectory.empty()) << "the program ended before it looked for its folder";
}

TEST_F(CBDAUtilAppTest, StartsInAMultithreadedApartmentWithGraphMutexAndLogsTheEnumeration)
{
    AddTuners({L"Kavro U31 DVBS2 Tuner"});
    const std::string transcript = Start(UiScriptText().Click(IDOK));
    // Start-up entered the apartment; the Tuner Setting page left it when the
    // main window closed.
    EXPECT_EQ(0, CoInitializeCount());
    EXPECT_NE(nullptr, graphMutex);
    EXPECT_TRUE(HasLinesInOrder(transcript,
                                {"end 140 OK", "open 102 \"KavroN71 TS Recorder\"",
                                 "title \"Kavro U31 DVBS2 Tuner TS Recorder - Version:  3.0.0.8 \""}));
    // Start-up writes the first line itself, before the device list writes its own two.
    // The test's tuner cannot be bound, so the graph build reports it.
    const std::vector<std::string> expected = {">> DeviceGetList", ">> DeviceGetList", "<< DeviceGetList",
                                               "FAILED: cannot connect network provider to tuner filter"};
    EXPECT_EQ(expected, DriveLogTexts(m_drive.path()));
}

TEST_F(CBDAUtilAppTest, AnEmptyMachineOpensTheMainWindowAsNoDeviceWhoseTunerPageRefusesIt)
{
    TunerGraph::Process().deviceType = DEVICE_TYPE_UNSUPPORTED;
    const std::string transcript = Start(UiScriptText().Click(IDOK));
    EXPECT_TRUE(
        HasLinesInOrder(transcript,
                        {"open 140 \"Kavro Record : Select device\"", "end 140 OK", "open 102 \"KavroN71 TS Recorder\"",
                         "title \"No Device TS Recorder - Version:  3.0.0.8 \"", "open 130 \"Tuner Setting\"",
                         "msgbox \"app_ui_test\" none \"This card is not support Recorder!\"", "end 102 -1"}));
    EXPECT_EQ(-1, deviceIndex);
    EXPECT_EQ(L"No Device", deviceName);
}

TEST_F(CBDAUtilAppTest, ProgramDirectoryIsTheProgramsFolder)
{
    struct Case {
        const char* name;
        std::wstring program;
        std::wstring directory;
    };
    const Case cases[] = {
        {"an installed program", L"c:\\Program Files\\Kavro\\Kavro-TScap.exe", L"c:\\Program Files\\Kavro"},
        {"a path without a backslash stays whole", L"Kavro-TScap.exe", L"Kavro-TScap.chm"},
    };
    AddTuners({L"Kavro N71 DVBS/S2 Tuner"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OverrideModuleFileName(c.program);
        programDirectory.clear();
        const std::string transcript = Start(UiScriptText().Click(IDOK).Help());
        EXPECT_EQ(c.directory, programDirectory);
        EXPECT_TRUE(HasLine(transcript, "shell open " + Transcript::Quote(c.directory + L"\\L-box-recorder.chm")))
            << transcript;
        CoUninitialize();
    }
}

} // namespace
