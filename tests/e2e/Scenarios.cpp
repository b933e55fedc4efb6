#include "tests/e2e/Scenarios.h"

#include "app/CDeviceList.h"
#include "app/MainWindowControls.h"
#include "platform/ui/WinUser.h"
#include "positioner/CPositionDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "tuner/CBdacontrolDlg.h"

const char kOneTransponderSkyFile[] = "0192.ini";
const char kOneTransponderSkyText[] = "[SATTYPE]\n1=0192\n2=Test Sat\n[DVB]\n0=1\n"
                                      "1=11494,H,22000,23,S2,8PSK,pilots=on,rolloff=0.20\n";

std::string OneTransponderWorld(const std::string& sky)
{
    return "[World]\nTuners=N72B\nSky=" + sky +
        "\n[Tuner.N72B]\nName=Kavro N72 DVBS/S2 Tuner B\nKind=pcie\nCable=Home\n"
        "[Cable.Home]\nLnb=9750,10600,11700\nPortA=sat 0192\nDefault=A\n";
}

std::string TuneWatchAndRecordScript()
{
    return UiScriptText()
        .Select(IDC_DEVICE_LIST, 0)
        .Click(IDOK)
        .Text(IDC_FREQUENCY_EDIT, "11494")
        .Text(IDC_SYMBOLRATE_EDIT, "22000")
        .Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, "11700")
        .Select(IDC_POLARITY, 0)
        .Select(IDC_DISEQC, 1)
        .Click(IDOK)
        .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
        // The stream description comes with the first locked poll.
        .WaitText(IDC_SYMBOL_RATE, 5000, "22000000")
        .Dump(IDC_STANDARD)
        .Dump(IDC_FEC)
        .Dump(IDC_MODULATION)
        .Dump(IDC_ROLL_OFF)
        .Dump(IDC_MATYPE)
        .Dump(IDC_IF)
        // A first short recording leaves the graph stopped, so the second
        // starts it: its delivered bytes are journaled.
        .Page(1)
        .Click(IDC_START_RECORD)
        .Click(IDC_CANCEL_RECORD)
        .Click(IDC_USE_TIME_LIMIT)
        .Text(IDC_TIME_LIMIT, "3")
        .Click(IDC_START_RECORD)
        .Wait(3000)
        .WaitText(IDC_RECORD_STATUS, 10000, "Record Stopped!");
}

std::string PositionerWorld(const std::string& sky)
{
    return "[World]\nTuners=N71\nSite=48.3667,10.8833\nSky=" + sky +
        "\n[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n"
        "[Cable.Home]\nPortA=sat 0130\nPortC=motor\nDefault=A\nMotorAngle=0.0\nMotorSpeed=10.0\n";
}

std::string PositionerScript()
{
    return UiScriptText()
        .Click(IDOK)
        // 10744 H of 19.2 E on port C, so the switch puts the motor on the
        // cable; the dish still looks along the site's meridian.
        .Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, "11700")
        .Text(IDC_FREQUENCY_EDIT, "10744")
        .Text(IDC_SYMBOLRATE_EDIT, "22000")
        .Select(IDC_POLARITY, 0)
        .Select(IDC_DISEQC, 3)
        .Click(IDOK)
        .Wait(1500)
        .Dump(IDC_LOCK_STATUS)
        .Page(2)
        .Pick(IDC_COUNTRY, "Germany")
        .Pick(IDC_CITY, "Augsburg")
        .Dump(IDC_LATITUDE)
        .Dump(IDC_LONGITUDE)
        .Pick(IDC_SATELLITE, "0192  Astra 1KR/1L/1M/1N")
        .Click(IDC_GO)
        .Wait(2500)
        .Page(0)
        .Click(IDOK)
        .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED");
}

std::string BeforeAnyTuneScript()
{
    return UiScriptText()
        .Select(IDC_DEVICE_LIST, 2)
        .Click(IDOK)
        .WaitText(IDC_LOCK_STATUS, 5000, "UNLOCKED")
        .Dump(IDC_STRENGTH)
        .Dump(IDC_QUALITY)
        // The tuner page has a control 1000 of its own.
        .Page(1)
        .Click(IDC_APPLY)
        .Click(IDC_START_RECORD)
        .Click(IDC_CANCEL_RECORD)
        .Dump(IDC_RECORD_STATUS);
}

std::string RemovedTunerWorld(int removalAfterMs)
{
    return "[World]\nTuners=N71\nDeviceRemovalAfter=" + std::to_string(removalAfterMs) +
        "\n"
        "[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n";
}

std::string RemovedTunerScript() { return UiScriptText().Click(IDOK).Wait(20000); }

std::string FieldWorld(const std::string& sky, const std::string& extra)
{
    return "[World]\nTuners=N72B\nSite=48.3667,10.8833\nSky=" + sky + "\n" + extra +
        "[Tuner.N72B]\nName=Kavro N72 DVBS/S2 Tuner B\nKind=pcie\nCable=Home\n"
        "[Cable.Home]\nLnb=9750,10600,11700\nPortA=sat 0192\nPortC=motor\nDefault=A\nMotorAngle=0.0\n"
        "MotorSpeed=1.0\n";
}

UiScriptText LockTp10744(int diseqc)
{
    UiScriptText script;
    script.Click(IDOK)
        .Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, "11700")
        .Text(IDC_FREQUENCY_EDIT, "10744")
        .Text(IDC_SYMBOLRATE_EDIT, "22000")
        .Select(IDC_POLARITY, 0)
        .Select(IDC_DISEQC, diseqc)
        .Click(IDOK);
    return script;
}

std::string FieldTuneScript()
{
    // The monitor raises the lock flag the recorder asks for before it shows
    // "LOCKED"; the stream's symbol rate follows in the same poll.
    return LockTp10744(1).WaitText(IDC_LOCK_STATUS, 10000, "LOCKED").WaitText(IDC_SYMBOL_RATE, 5000, "22000000");
}

std::string FieldRecordScript()
{
    return UiScriptText()
        .Page(1)
        .Click(IDC_START_RECORD)
        .Click(IDC_CANCEL_RECORD)
        .Click(IDC_USE_TIME_LIMIT)
        .Text(IDC_TIME_LIMIT, "600")
        .Click(IDC_START_RECORD);
}
