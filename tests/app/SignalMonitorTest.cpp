// The signal monitor against a scripted tuner, a panel that keeps what it is
// shown and a clock that counts the waits: cycle timings, lock texts, the
// stream description, the identifier list, the driver's refusals and "Apply".
#include "app/SignalMonitor.h"

#include "app/MainWindowControls.h"
#include "process/SignalLocked.h"
#include "process/TuneCount.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class ScriptedSource : public SignalSource {
public:
    bool hasKsCtrl = true;
    bool topology = true;
    bool pollSucceeds = true;
    SignalSample reported{0, 0, 0};
    bool usb = false;
    HRESULT supported = S_OK;
    HRESULT getResult = S_OK;
    StreamInfo reply{};
    HRESULT setResult = S_OK;

    int polls = 0;
    int touches = 0;
    std::vector<std::pair<GUID, ULONG>> queried;
    std::vector<std::pair<GUID, ULONG>> read;
    std::vector<std::vector<BYTE>> setRecords;

    bool HasKsCtrl() override { return hasKsCtrl; }
    bool PollStatistics(SignalSample& sample) override
    {
        ++polls;
        if (!topology) return false;
        if (pollSucceeds) sample = reported;
        return true;
    }
    void TouchGraphMutex() override { ++touches; }
    bool IsUsbTuner() override { return usb; }
    HRESULT QuerySupported(REFGUID set, ULONG id) override
    {
        queried.emplace_back(set, id);
        return supported;
    }
    HRESULT Get(REFGUID set, ULONG id, void* buffer, DWORD size) override
    {
        read.emplace_back(set, id);
        if (FAILED(getResult) || size != sizeof(StreamInfo)) return getResult;
        std::memcpy(buffer, &reply, sizeof(reply));
        return S_OK;
    }
    HRESULT Set(REFGUID, ULONG id, void* buffer, DWORD size) override
    {
        if (id == KSPROPERTY_BDA_INPUTMULTISTREAMID) {
            const BYTE* bytes = static_cast<const BYTE*>(buffer);
            setRecords.emplace_back(bytes, bytes + size);
        }
        return setResult;
    }
};

class KeptPanel : public MonitorPanel {
public:
    std::map<int, std::wstring> texts;
    int lockIcon = -1; // -1 never shown, 0 unlocked, 1 locked
    int qualityBar = -1;
    int strengthBar = -1;
    std::vector<std::wstring> streamIds;
    std::vector<std::wstring> boxes; // "error:TEXT", "warning:TEXT", "plain:TEXT"

    // The lock flag as it stood whenever the lock status was shown.
    std::vector<std::pair<std::wstring, LONG>> lockShown;

    void SetText(int id, const std::wstring& text) override
    {
        texts[id] = text;
        if (id == IDC_LOCK_STATUS) lockShown.emplace_back(text, signalLocked.load());
    }
    void ShowLockIcon(bool locked) override { lockIcon = locked ? 1 : 0; }
    void ResetBars() override { qualityBar = strengthBar = 0; }
    void SetBars(int quality, int strength) override
    {
        qualityBar = quality;
        strengthBar = strength;
    }
    bool HasStreamId(const std::wstring& text) override
    {
        for (const std::wstring& item : streamIds) {
            if (item == text) return true;
        }
        return false;
    }
    void AddStreamId(const std::wstring& text) override { streamIds.push_back(text); }
    void ErrorBox(const std::wstring& text) override { boxes.push_back(L"error:" + text); }
    void WarningBox(const std::wstring& text) override { boxes.push_back(L"warning:" + text); }
    void PlainBox(const std::wstring& text) override { boxes.push_back(L"plain:" + text); }
    void Log(const std::wstring& text) override { logged.push_back(text); }
    std::vector<std::wstring> logged;
};

class CountingClock : public MonitorClock {
public:
    std::vector<DWORD> waits;
    // Raises the stop flag once this many waits have passed (0: never).
    std::atomic<LONG>* stopAfterFlag = nullptr;
    std::size_t stopAfter = 0;

    void Wait(DWORD milliseconds) override
    {
        waits.push_back(milliseconds);
        if (stopAfterFlag && waits.size() >= stopAfter) *stopAfterFlag = 1;
    }
};

StreamInfo MultistreamS2()
{
    StreamInfo info{};
    info.ifFrequencyKhz = 1550000;
    info.symbolRate = 27500000;
    info.standard = STREAMINFO_STANDARD_DVBS2;
    info.modcod = 14;
    info.modulation = STREAMINFO_MODULATION_8PSK;
    info.tsGs = STREAMINFO_TSGS_TRANSPORT;
    info.singleStream = 0;
    info.constantCoding = 1;
    info.rollOff = STREAMINFO_ROLLOFF_020;
    info.inputStreamId = 12;
    info.matype1 = 0xD2;
    info.matype2 = 0x0C;
    info.pilots = 1;
    return info;
}

class SignalMonitorTest : public ::testing::Test {
protected:
    void SetUp() override { signalLocked = 0; }
    void TearDown() override { signalLocked = 0; }

    ScriptedSource source;
    KeptPanel panel;
    CountingClock clock;
    std::atomic<LONG> stopRequested{0};
    SignalMonitor monitor{source, panel, clock, stopRequested};
};

TEST_F(SignalMonitorTest, CycleTimingFollowsLockQualityAndStrength)
{
    struct Case {
        const char* name;
        bool hasKsCtrl;
        bool pollSucceeds;
        SignalSample sample;
        std::vector<DWORD> waits;
        int touches;
        LONG locked;
        const wchar_t* lockText;
    };
    const Case cases[] = {
        {"locked, quality and strength 11: one second", true, true, {11, 11, 1}, {1000}, 0, 1, L"LOCKED"},
        {"locked, quality 10: the slow cycle", true, true, {10, 11, 1}, {1000, 500}, 1, 1, L"LOCKED"},
        {"locked, strength 10: the slow cycle", true, true, {11, 10, 1}, {1000, 500}, 1, 1, L"LOCKED"},
        {"not locked with a good signal", true, true, {90, 90, 0}, {1000, 500}, 1, 0, L"UNLOCKED"},
        {"failed poll counts as not locked", true, false, {90, 90, 1}, {1000, 500}, 1, 0, L"UNLOCKED"},
        {"no property-set interface: half a second", false, true, {90, 90, 1}, {500}, 0, 0, L"UNLOCKED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSource src;
        src.hasKsCtrl = c.hasKsCtrl;
        src.pollSucceeds = c.pollSucceeds;
        src.reported = c.sample;
        src.reply = MultistreamS2();
        KeptPanel shown;
        CountingClock counted;
        signalLocked = 1 - c.locked;
        SignalMonitor m(src, shown, counted, stopRequested);
        EXPECT_TRUE(m.Cycle());
        EXPECT_EQ(c.waits, counted.waits);
        EXPECT_EQ(c.touches, src.touches);
        EXPECT_EQ(c.locked, signalLocked.load());
        EXPECT_EQ(c.lockText, shown.texts[IDC_LOCK_STATUS]);
        EXPECT_EQ(c.locked, shown.lockIcon);
        EXPECT_EQ(c.hasKsCtrl ? 1 : 0, src.polls) << "no poll without the interface";
    }
}

TEST_F(SignalMonitorTest, TheLockFlagIsSetBeforeLockedIsShown)
{
    // A user who sees LOCKED and starts a recording at once finds the flag set;
    // one who sees UNLOCKED finds it cleared.
    source.reported = {90, 90, 1};
    source.reply = MultistreamS2();
    monitor.Cycle();
    source.reported = {90, 90, 0};
    monitor.Cycle();
    source.hasKsCtrl = false;
    signalLocked = 1;
    monitor.Cycle();
    using Shown = std::pair<std::wstring, LONG>;
    EXPECT_EQ((std::vector<Shown>{{L"LOCKED", 1}, {L"UNLOCKED", 0}, {L"UNLOCKED", 0}}), panel.lockShown);
}

TEST_F(SignalMonitorTest, ValuesAreShownRawWithFailedPollsAsZero)
{
    source.reported = {200, 73, 1};
    source.reply = MultistreamS2();
    monitor.Cycle();
    EXPECT_EQ(L"200", panel.texts[IDC_QUALITY]);
    EXPECT_EQ(L"73", panel.texts[IDC_STRENGTH]);
    EXPECT_EQ(200, panel.qualityBar) << "the bar shows it full";
    EXPECT_EQ(73, panel.strengthBar);

    source.pollSucceeds = false;
    monitor.Cycle();
    EXPECT_EQ(L"0", panel.texts[IDC_QUALITY]);
    EXPECT_EQ(L"0", panel.texts[IDC_STRENGTH]);
    EXPECT_EQ(0, panel.qualityBar);
    EXPECT_EQ(L"UNLOCKED", panel.texts[IDC_LOCK_STATUS]);
}

TEST_F(SignalMonitorTest, LockedCycleShowsTheStreamDescription)
{
    source.reported = {80, 70, 1};
    source.reply = MultistreamS2();
    monitor.Cycle();
    const std::map<int, std::wstring> expected = {
        {IDC_MATYPE, L"D2  0C"},
        {IDC_STREAM_TYPE, L"TRANSPORT_STREAM"},
        {IDC_MODULATION, L"8PSK"},
        {IDC_INPUT_STREAM, L"MULTIPLE_INPUT_STREAM"},
        {IDC_CODING, L"CCM"},
        {IDC_INPUT_SYNC, L"ISSYI_DISABLED"},
        {IDC_NULL_PACKETS, L"NPD_DISABLED"},
        {IDC_ROLL_OFF, L"0.20"},
        {IDC_STANDARD, L"DVB-S2"},
        {IDC_FEC, L"3/4"},
        {IDC_PILOTS, L"Pilots On"},
        {IDC_FRAME_LENGTH, L"Long Frame"},
        {IDC_SPECTRUM, L"IQ_NORMAL"},
        {IDC_IF, L"1550000"},
        {IDC_SYMBOL_RATE, L"27500000"},
    };
    for (const auto& [id, text] : expected) {
        SCOPED_TRACE(id);
        EXPECT_EQ(text, panel.texts[id]);
    }
    EXPECT_EQ(std::vector<std::wstring>{L"12"}, panel.streamIds);
    ASSERT_EQ(1u, source.read.size());
    EXPECT_EQ(KSPROPSETID_BDA_EXTENSION, source.read[0].first);
    EXPECT_EQ(KSPROPERTY_BDA_GET_MEDIAINFO, source.read[0].second);
    EXPECT_EQ(12u, static_cast<std::uint32_t>(monitor.Info().inputStreamId)) << "the reply is kept";
}

TEST_F(SignalMonitorTest, LosingLockEmptiesStreamTextsButMatypeAndList)
{
    source.reported = {80, 70, 1};
    source.reply = MultistreamS2();
    monitor.Cycle();
    source.reported = {5, 5, 0};
    monitor.Cycle();
    for (int id :
         {IDC_STREAM_TYPE, IDC_STANDARD, IDC_MODULATION, IDC_INPUT_STREAM, IDC_CODING, IDC_INPUT_SYNC, IDC_NULL_PACKETS,
          IDC_ROLL_OFF, IDC_FEC, IDC_IF, IDC_SYMBOL_RATE, IDC_PILOTS, IDC_FRAME_LENGTH, IDC_SPECTRUM}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(L"", panel.texts[id]);
    }
    EXPECT_EQ(L"D2  0C", panel.texts[IDC_MATYPE]);
    EXPECT_EQ(std::vector<std::wstring>{L"12"}, panel.streamIds);
    EXPECT_EQ(1u, source.read.size()) << "nothing is read while unlocked";
}

TEST_F(SignalMonitorTest, IdentifierListHoldsEachIdentifierOnceWhateverItsPrefix)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> reported;
        std::uint32_t singleStream;
        std::set<std::wstring> listed;
    };
    const Case cases[] = {
        {"12 then 1: stream 1 can still be chosen", {12, 1}, 0, {L"12", L"1"}},
        {"1 then 12", {1, 12}, 0, {L"1", L"12"}},
        {"repeated identifiers once", {5, 5, 2, 5}, 0, {L"5", L"2"}},
        {"a single stream adds nothing", {0, 3}, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeptPanel shown;
        SignalMonitor m(source, shown, clock, stopRequested);
        for (std::uint32_t id : c.reported) {
            source.reply = MultistreamS2();
            source.reply.singleStream = c.singleStream;
            source.reply.inputStreamId = id;
            EXPECT_EQ(SignalMonitor::kShown, m.UpdateStreamInfo(true));
        }
        EXPECT_EQ(c.listed.size(), shown.streamIds.size());
        EXPECT_EQ(c.listed, std::set<std::wstring>(shown.streamIds.begin(), shown.streamIds.end()));
    }
}

TEST_F(SignalMonitorTest, UnsupportedOrFailingMediaInformation)
{
    struct Case {
        const char* name;
        bool usb;
        HRESULT supported;
        HRESULT getResult;
        int result;
        const wchar_t* box;
        GUID set;
        ULONG id;
    };
    const Case cases[] = {
        {"not supported", false, HRESULT_FROM_WIN32(ERROR_NOT_FOUND), S_OK, SignalMonitor::kNotShown,
         L"error:666don't support this interface", KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GET_MEDIAINFO},
        {"BDA read fails", false, S_OK, E_FAIL, SignalMonitor::kReadFailed,
         L"warning:Get KSPROPERTY_BDA_GET_MEDIAINFO error", KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GET_MEDIAINFO},
        {"USB box read fails", true, S_OK, E_FAIL, SignalMonitor::kReadFailed,
         L"warning:Get KSPROPERTY_CTRL_GET_MEDIAINFO 22error", KSPROPSETID_CTRL_EXTENSION,
         KSPROPERTY_CTRL_GET_MEDIAINFO},
        {"USB box reads the control set", true, S_OK, S_OK, SignalMonitor::kShown, nullptr, KSPROPSETID_CTRL_EXTENSION,
         KSPROPERTY_CTRL_GET_MEDIAINFO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSource src;
        src.usb = c.usb;
        src.supported = c.supported;
        src.getResult = c.getResult;
        src.reply = MultistreamS2();
        KeptPanel shown;
        SignalMonitor m(src, shown, clock, stopRequested);
        EXPECT_EQ(c.result, m.UpdateStreamInfo(true));
        EXPECT_EQ(c.result, m.UpdateStreamInfo(true)) << "every locked cycle asks again";
        if (c.box) {
            EXPECT_EQ(std::vector<std::wstring>(1, c.box), shown.boxes) << "raised once, not every cycle";
            const std::wstring text = std::wstring(c.box).substr(std::wstring(c.box).find(L':') + 1);
            EXPECT_EQ(std::vector<std::wstring>(2, text), shown.logged) << "every failure is logged";
            EXPECT_EQ(0u, shown.texts.count(IDC_STREAM_TYPE)) << "nothing is shown";
        } else {
            EXPECT_TRUE(shown.boxes.empty());
        }
        ASSERT_EQ(2u, src.queried.size());
        EXPECT_EQ(c.set, src.queried[0].first);
        EXPECT_EQ(c.id, src.queried[0].second);
    }
    ScriptedSource none;
    none.hasKsCtrl = false;
    KeptPanel shown;
    SignalMonitor m(none, shown, clock, stopRequested);
    EXPECT_EQ(SignalMonitor::kNotShown, m.UpdateStreamInfo(true));
    EXPECT_EQ(SignalMonitor::kNotShown, m.UpdateStreamInfo(false));
    EXPECT_TRUE(shown.texts.empty());
}

TEST_F(SignalMonitorTest, AFailureBoxComesBackAfterANewTuneOrAfterTheFailureCleared)
{
    source.reply = MultistreamS2();
    source.getResult = E_FAIL;
    const std::wstring box = L"warning:Get KSPROPERTY_BDA_GET_MEDIAINFO error";
    monitor.UpdateStreamInfo(true);
    monitor.UpdateStreamInfo(true);
    EXPECT_EQ(std::vector<std::wstring>{box}, panel.boxes);

    ++tuneCount;
    monitor.UpdateStreamInfo(true);
    monitor.UpdateStreamInfo(true);
    EXPECT_EQ(std::vector<std::wstring>(2, box), panel.boxes) << "a new tune raises it once more";

    source.getResult = S_OK;
    monitor.UpdateStreamInfo(true);
    source.getResult = E_FAIL;
    monitor.UpdateStreamInfo(true);
    EXPECT_EQ(std::vector<std::wstring>(3, box), panel.boxes) << "a read that succeeded in between clears it";

    source.supported = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    monitor.UpdateStreamInfo(true);
    ASSERT_EQ(4u, panel.boxes.size());
    EXPECT_EQ(L"error:666don't support this interface", panel.boxes[3]) << "another failure is raised at once";
    EXPECT_EQ(6u, panel.logged.size());
}

TEST_F(SignalMonitorTest, UnknownStandardKeepsTheStandardText)
{
    source.reply = MultistreamS2();
    monitor.UpdateStreamInfo(true);
    source.reply.standard = 7;
    monitor.UpdateStreamInfo(true);
    EXPECT_EQ(L"DVB-S2", panel.texts[IDC_STANDARD]);
    EXPECT_EQ(L"", panel.texts[IDC_FEC]);
}

TEST_F(SignalMonitorTest, ApplySendsTheChosenIdentifierAndTunesAgain)
{
    const std::wstring kRange = std::wstring(L"plain:") + SignalMonitor::kStreamIdRangeText;
    struct Case {
        const char* name;
        std::wstring selected;
        bool hasKsCtrl;
        HRESULT supported;
        HRESULT setResult;
        std::vector<std::wstring> boxes;
        int sets;
        int retunes;
    };
    const Case cases[] = {
        {"nothing selected", L"", true, S_OK, S_OK, {L"plain:NULL"}, 0, 0},
        {"no property-set interface: silently nothing", L"12", false, S_OK, S_OK, {}, 0, 0},
        {"identifier not supported",
         L"12",
         true,
         HRESULT_FROM_WIN32(ERROR_NOT_FOUND),
         S_OK,
         {L"error:777don't support this interface"},
         0,
         0},
        {"set fails", L"12", true, S_OK, E_FAIL, {L"warning:Set KSPROPERTY_BDA_INPUTMULTISTREAMID error"}, 1, 0},
        {"set succeeds", L"12", true, S_OK, S_OK, {}, 1, 1},
        {"typed with blanks around it", L" 12 ", true, S_OK, S_OK, {}, 1, 1},
        {"typed 0 is an identifier", L"0", true, S_OK, S_OK, {}, 1, 1},
        {"typed 255, the largest", L"255", true, S_OK, S_OK, {}, 1, 1},
        {"typed 256 is refused before the driver", L"256", true, S_OK, S_OK, {kRange}, 0, 0},
        {"typed text that is no number", L"1a", true, S_OK, S_OK, {kRange}, 0, 0},
        {"typed negative number", L"-1", true, S_OK, S_OK, {kRange}, 0, 0},
        {"only blanks", L"   ", true, S_OK, S_OK, {kRange}, 0, 0},
        {"a huge number does not wrap", L"4294967308", true, S_OK, S_OK, {kRange}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSource src;
        src.hasKsCtrl = c.hasKsCtrl;
        src.supported = c.supported;
        src.setResult = c.setResult;
        KeptPanel shown;
        CountingClock counted;
        SignalMonitor m(src, shown, counted, stopRequested);
        int retunes = 0;
        m.ApplyInputStreamId(c.selected, [&] { ++retunes; });
        EXPECT_EQ(c.boxes, shown.boxes);
        EXPECT_EQ(static_cast<std::size_t>(c.sets), src.setRecords.size());
        EXPECT_EQ(c.retunes, retunes);
        EXPECT_EQ(c.retunes ? std::vector<DWORD>{500} : std::vector<DWORD>{}, counted.waits);
        if (!src.setRecords.empty()) {
            std::vector<BYTE> expected(72, 0);
            expected[48] = static_cast<BYTE>(std::wcstoul(c.selected.c_str(), nullptr, 10));
            EXPECT_EQ(expected, src.setRecords[0]) << "the identifier at offset 48, every other byte 0";
        }
        // The driver is asked only for an identifier that passed the checks.
        EXPECT_EQ(c.sets > 0 || c.supported != S_OK ? 1u : 0u, src.queried.size());
        if (!src.queried.empty()) {
            ASSERT_EQ(1u, src.queried.size());
            EXPECT_EQ(KSPROPSETID_BDA_EXTENSION, src.queried[0].first);
            EXPECT_EQ(KSPROPERTY_BDA_INPUTMULTISTREAMID, src.queried[0].second);
        }
    }
}

TEST_F(SignalMonitorTest, UsbBoxIsAskedForTheIdentifierThroughTheBdaSet)
{
    source.usb = true;
    monitor.ApplyInputStreamId(L"3", nullptr);
    ASSERT_EQ(1u, source.queried.size());
    EXPECT_EQ(KSPROPSETID_BDA_EXTENSION, source.queried[0].first);
    ASSERT_EQ(1u, source.setRecords.size());
    EXPECT_EQ(3, source.setRecords[0][48]);
}

TEST_F(SignalMonitorTest, RunEndsOnStopOrWithoutTopology)
{
    // Stop after the third wait: the first cycle is slow (quality 5), the
    // second fast; the loop sees the flag before a third poll.
    source.reported = {5, 50, 1};
    source.reply = MultistreamS2();
    clock.stopAfterFlag = &stopRequested;
    clock.stopAfter = 3;
    monitor.Run();
    EXPECT_EQ(2, source.polls);
    EXPECT_EQ(L"5", panel.texts[IDC_QUALITY]);
    EXPECT_EQ(1, signalLocked.load());

    ScriptedSource noTopology;
    noTopology.topology = false;
    KeptPanel shown;
    CountingClock counted;
    std::atomic<LONG> never{0};
    SignalMonitor m(noTopology, shown, counted, never);
    m.Run();
    EXPECT_EQ(1, noTopology.polls) << "the monitor ends for good";
    EXPECT_TRUE(counted.waits.empty());
    EXPECT_EQ(L"0", shown.texts[IDC_QUALITY]) << "the first state stays";
    EXPECT_EQ(0, shown.lockIcon);
    EXPECT_EQ(0u, shown.texts.count(IDC_LOCK_STATUS));
}

} // namespace
