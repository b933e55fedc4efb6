// What the program leaves on disk is the same on every build, byte for byte, for the
// same input: a diagnostic log line, the settings file and a recording made through
// the sink filter. The expected bytes are written out here once, so the Linux build
// and the Windows build each compare against them: both pass only if they agree.
#include "process/DiagLog.h"
#include "tuner/TunerSettings.h"
#include "tests/sink/SinkRig.h"
#include "tests/support/TempDrive.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

// FNV-1a, 64 bits: a fingerprint of a file too long to write out here.
std::uint64_t Fingerprint(const std::string& bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

TEST(SameBytes, DiagnosticLogLine)
{
    const LogStamp stamp{L"12/08/26", L"09:05:07", 1234567};
    const std::string line = FormatLogLine(stamp, L"Device %d: %s (%hs) %ld %I64d %c%%", 2,
                                           L"Kavro N72 Tuner B \u00C4\u4E2D", "BDA", -7L, 1LL << 40, L'x');
    EXPECT_EQ(line, "[12/08/26 09:05:07 :  1234567] Device 2: Kavro N72 Tuner B \xC4? (BDA) -7 1099511627776 x%\r\n");

    // Through the file: the same bytes after the moment's header, each line appended.
    TempDrive drive;
    LogLine(L"Tuner %s locked at %d MHz", L"A", 11778);
    LogLine(L"second");
    const std::string file = TempDir::ReadFile(drive / "iptools.log");
    const std::regex lines(R"(\[\d\d/\d\d/\d\d \d\d:\d\d:\d\d : [ \d-]{8,}\] Tuner A locked at 11778 MHz\r\n)"
                           R"(\[\d\d/\d\d/\d\d \d\d:\d\d:\d\d : [ \d-]{8,}\] second\r\n)");
    EXPECT_TRUE(std::regex_match(file, lines)) << file;
}

TEST(SameBytes, SettingsFile)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "Kavro");
    const std::wstring path = SettingsFilePath(L"c:\\Kavro");
    TunerSettings settings;
    settings.polarity = 1;
    settings.diseqc = 3;
    settings.goldcode = 262141;
    settings.goldtype = 1;
    settings.freq = L"11778";
    settings.symbol = L"27500";
    settings.lnblow = L"9750";
    settings.lnbhigh = L"10600";
    settings.lnbswitch = L"11700";
    ASSERT_TRUE(WriteTunerSettings(path, settings));
    const std::string written = TempDir::ReadFile(drive / "Kavro" / "Kavro-TScap.ini");
    EXPECT_EQ(written,
              "[Config]\r\npolarity=1\r\ndiseqc=3\r\ngoldcode=262141\r\ngoldtype=1\r\nfreq=11778\r\n"
              "symbol=27500\r\nlnblow=9750\r\nlnbhigh=10600\r\nlnbswitch=11700\r\n");

    // Written again over itself with other values: every line replaced in place.
    settings.polarity = 0;
    settings.freq = L"12015";
    settings.lnbswitch = L"";
    ASSERT_TRUE(WriteTunerSettings(path, settings));
    EXPECT_EQ(TempDir::ReadFile(drive / "Kavro" / "Kavro-TScap.ini"),
              "[Config]\r\npolarity=0\r\ndiseqc=3\r\ngoldcode=262141\r\ngoldtype=1\r\nfreq=12015\r\n"
              "symbol=27500\r\nlnblow=9750\r\nlnbhigh=10600\r\nlnbswitch=\r\n");
}

using SameBytesRecording = SinkRig;

TEST_F(SameBytesRecording, RecordingThroughTheSink)
{
    ConnectSource();
    ASSERT_HR(S_OK, source->Run(0));
    ASSERT_HR(S_OK, sink->Run(0));
    ASSERT_HR(S_OK, BeginRecording("L-capture.ts"));
    std::string delivered;
    for (std::uint32_t seq = 0; seq < 500; ++seq) {
        IMediaSample* sample = nullptr;
        ASSERT_HR(S_OK, sourcePin->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
        FillSample(sample, seq);
        EXPECT_HR(S_OK, sourcePin->Deliver(sample));
        sample->Release();
        delivered += SampleBytes(seq);
    }
    session.CloseOutputFile();
    ASSERT_HR(S_OK, sink->Stop());
    ASSERT_HR(S_OK, source->Stop());
    const std::string file = FileText("L-capture.ts");
    EXPECT_EQ(file.size(), 374872u);
    EXPECT_TRUE(file == delivered) << "the recording is not the delivered stream";
    EXPECT_EQ(Fingerprint(file), 0x77067FC62A0B40D1ull);
}

} // namespace
