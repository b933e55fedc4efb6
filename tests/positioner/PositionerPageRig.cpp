#include "tests/positioner/PositionerPageRig.h"

#include "process/ProgramDirectory.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "platform/files/WinPath.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/UiAutomation.h"
#include "sim/tuner/TunerFilter.h"
#include "tests/support/ComAssert.h"
#include "tests/support/ProcessState.h"
#include "tests/support/PageHost.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& hex)
{
    std::vector<std::uint8_t> bytes;
    if (hex == "-") return bytes;
    std::istringstream in(hex);
    for (std::string byte; in >> byte;) bytes.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    return bytes;
}

// "ks set SET ID inst=HEX value=HEX -> HR"
KsSetLine ParseKsSet(const std::string& line)
{
    KsSetLine parsed;
    const std::size_t inst = line.find(" inst=");
    const std::size_t value = line.find(" value=");
    const std::size_t arrow = line.find(" -> ");
    std::istringstream head(line.substr(0, inst));
    std::string ks, set;
    head >> ks >> set >> parsed.set >> parsed.id;
    parsed.instance = Bytes(line.substr(inst + 6, value - inst - 6));
    parsed.value = Bytes(line.substr(value + 7, arrow - value - 7));
    parsed.result = line.substr(arrow + 4);
    return parsed;
}

const char* IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return "stop";
    case MB_ICONEXCLAMATION:
        return "exclamation";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONINFORMATION:
        return "information";
    default:
        return "none";
    }
}

} // namespace

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char byte[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(byte, sizeof byte, "%02X", b);
        if (!text.empty()) text += ' ';
        text += byte;
    }
    return text;
}

void PositionerPageRig::SetUp()
{
    m_live.Start();
    ResetProcessState();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    programDirectory = WindowsPath(m_program.path());
    JournalOpen(m_journal.path().string());
}

void PositionerPageRig::TearDown()
{
    m_page.reset();
    ResetProcessState();
    m_inputPin = nullptr;
    m_tuner = nullptr;
    m_device.reset();
    CoUninitialize();
    m_live.ExpectNoneLeft();
}

void PositionerPageRig::AttachTuner(sim::TunerKind kind, const std::function<void(sim::PropertyModes&)>& modes)
{
    sim::PropertyModes properties(kind);
    if (modes) modes(properties);
    sim::CableSpec cable;
    cable.ports[2] = sim::PortSpec{sim::PortKind::Motor, 0};
    cable.defaultPort = 2;
    m_device = std::make_shared<sim::TunerDevice>(m_sky, cable, sim::Site{}, m_clock, properties);
    ASSERT_HR(S_OK, sim::TunerFilter::Create(m_device, sim::TunerFilterOptions{}, m_tuner.ReleaseAndGetAddressOf()));
    const KsCtrlPath path = ObtainKsCtrl(m_tuner.Get(), nullptr, m_inputPin);
    ASSERT_EQ(kind == sim::TunerKind::Usb ? KsCtrlPath::Usb : KsCtrlPath::Pci, path);
    Journal("");
}

void PositionerPageRig::WriteCityList(const std::string& bytes)
{
    TempDir::WriteFile(m_program / "CityList.txt", bytes);
}

void PositionerPageRig::WriteSatellite(const std::string& fileName, const std::string& code, const std::string& name)
{
    std::filesystem::create_directories(m_program / "Transponders");
    TempDir::WriteFile(m_program / "Transponders" / fileName,
                       "[SATTYPE]\r\n1=" + code + "\r\n2=" + name + "\r\n[DVB]\r\n0=0\r\n");
}

std::string PositionerPageRig::Run(const std::string& script, const std::function<void(CPositionDlg&)>& inspect)
{
    PageHost host(*m_page, L"Positioner host", 290, 170);
    host.afterInit = [&] {
        if (inspect) inspect(*m_page);
    };
    return RunUiScript(script, [&] { host.DoModal(); });
}

std::vector<std::string> PositionerPageRig::Journal(const std::string& prefix) { return m_journal.Next(prefix); }

std::vector<KsSetLine> PositionerPageRig::KsSets()
{
    std::vector<KsSetLine> sets;
    for (const std::string& line : Journal("ks set ")) sets.push_back(ParseKsSet(line));
    return sets;
}

std::vector<std::string> PositionerPageRig::Boxes()
{
    std::vector<std::string> boxes;
    const auto& recorded = m_recorder.Boxes();
    for (std::size_t i = m_boxesSeen; i < recorded.size(); ++i) {
        const RecordedMessageBox& box = recorded[i];
        const std::string caption = box.caption == AfxGetAppName() ? "app" : ToUtf8(box.caption);
        boxes.push_back(caption + " " + IconName(box.type) + ": " + ToUtf8(box.text));
    }
    m_boxesSeen = recorded.size();
    return boxes;
}
