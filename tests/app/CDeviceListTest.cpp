// The device selection: tuners in enumeration order in a sorted list box, the
// choice by OK or double-click, an empty machine, Cancel.
#include "app/CDeviceList.h"

#include "tests/app/AppRig.h"
#include "tests/support/JournalTail.h"
#include "tests/support/LogTexts.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/UiAutomation.h"
#include "tests/support/UiScriptText.h"
#include "platform/ui/WinUser.h"

namespace {

const std::wstring kTunerB = L"Kavro N72 DVBS/S2 Tuner B";
const std::wstring kSingle = L"Kavro N71 DVBS/S2 Tuner";
const std::wstring kTunerA = L"Kavro N72 DVBS/S2 Tuner A";

class CDeviceListTest : public AppRig {
protected:
    // Runs the dialog under script; returns the transcript.
    std::string Run(const std::string& script)
    {
        CDeviceList dialog;
        return RunUiScript(script, [&] { m_result = dialog.DoModal(); });
    }

    CWinApp m_app;
    INT_PTR m_result = 0;
};

TEST_F(CDeviceListTest, TheChoiceBecomesDeviceIndexAndName)
{
    struct Case {
        const char* name;
        std::vector<std::wstring> tuners;
        std::string script;
        INT_PTR result;
        int index;
        std::wstring chosen;
    };
    const Case cases[] = {
        {"the third of three, by OK",
         {kTunerB, kSingle, kTunerA},
         UiScriptText().Select(IDC_DEVICE_LIST, 2).Click(IDOK),
         IDOK,
         2,
         kTunerA},
        {"the third of three, by double-click",
         {kTunerB, kSingle, kTunerA},
         UiScriptText().Select(IDC_DEVICE_LIST, 2).DblClick(IDC_DEVICE_LIST),
         IDOK,
         2,
         kTunerA},
        {"the first is chosen when OK is pressed at once",
         {kTunerB, kSingle, kTunerA},
         UiScriptText().Click(IDOK),
         IDOK,
         0,
         kTunerB},
        {"a double-click at once also takes the first",
         {kTunerB, kSingle},
         UiScriptText().DblClick(IDC_DEVICE_LIST),
         IDOK,
         0,
         kTunerB},
        {"OK without a selection chooses nothing",
         {kTunerB, kSingle},
         UiScriptText().Select(IDC_DEVICE_LIST, -1).Click(IDOK),
         IDOK,
         -1,
         L""},
        {"Cancel chooses nothing",
         {kTunerB, kSingle, kTunerA},
         UiScriptText().Select(IDC_DEVICE_LIST, 2).Click(IDCANCEL),
         IDCANCEL,
         -1,
         L""},
        {"Escape is Cancel", {kTunerB}, UiScriptText().Key("escape"), IDCANCEL, -1, L""},
        {"an empty machine gives No Device, and OK still ends with OK",
         {},
         UiScriptText().Click(IDOK),
         IDOK,
         -1,
         L"No Device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_catalog->Clear();
        AddTuners(c.tuners);
        deviceIndex = -1;
        deviceName.clear();

        const std::string transcript = Run(c.script);
        EXPECT_EQ(c.result, m_result);
        EXPECT_EQ(c.index, deviceIndex);
        EXPECT_EQ(c.chosen, deviceName);
        EXPECT_TRUE(HasLinesInOrder(
            transcript,
            {"open 140 \"Kavro Record : Select device\"", c.result == IDOK ? "end 140 OK" : "end 140 CANCEL"}));
    }
}

TEST_F(CDeviceListTest, TunersAppearInEnumerationOrderAlthoughTheListIsSorted)
{
    AddTuners({kTunerB, kSingle, kTunerA});
    const std::string transcript = Run(UiScriptText().Dump(IDC_DEVICE_LIST));
    EXPECT_TRUE(HasLinesInOrder(transcript,
                                {
                                    "control 1022 list \"\" enabled=1 visible=1 sel=0 count=3",
                                    "item 1022 0 \"Kavro N72 DVBS/S2 Tuner B\"",
                                    "item 1022 1 \"Kavro N71 DVBS/S2 Tuner\"",
                                    "item 1022 2 \"Kavro N72 DVBS/S2 Tuner A\"",
                                }));
    // Each name also goes to the debugger output, in the same order.
    const std::vector<std::string> expected = {"Kavro N72 DVBS/S2 Tuner B", "Kavro N71 DVBS/S2 Tuner",
                                               "Kavro N72 DVBS/S2 Tuner A"};
    EXPECT_EQ(expected, DebugTexts(Journal()));
    EXPECT_EQ((std::vector<std::string>{">> DeviceGetList", "<< DeviceGetList"}), DriveLogTexts(m_drive.path()));
}

TEST_F(CDeviceListTest, EveryTunerOfABigMachineCanBeChosen)
{
    std::vector<std::wstring> tuners;
    for (int i = 1; i <= 18; ++i) tuners.push_back(L"Tuner " + std::to_wstring(i));
    AddTuners(tuners);
    const std::string transcript = Run(UiScriptText().Select(IDC_DEVICE_LIST, 17).Click(IDOK));
    EXPECT_EQ(17, deviceIndex);
    EXPECT_EQ(L"Tuner 18", deviceName);
}

} // namespace
