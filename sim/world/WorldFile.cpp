#include "sim/world/WorldFile.h"

#include "platform/files/WholeFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace sim {

namespace {

// More tuners than any machine holds; bounds what a broken list can cost.
constexpr std::size_t kMaxTuners = 64;
// Property ids a world may set a mode for, in either set.
constexpr ULONG kMaxPropertyId = 64;
constexpr std::uintmax_t kMaxWorldFileBytes = 1u << 20;

std::string Upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(separator);
        parts.push_back(Trim(text.substr(0, at)));
        if (at == std::string_view::npos) return parts;
        text = text.substr(at + 1);
    }
}

template <class T>
std::optional<T> Number(std::string_view text)
{
    text = Trim(text);
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

// Reads one section's keys, warning about values it cannot take.
class SectionReader {
public:
    SectionReader(const IniText& file, std::string section, std::vector<std::string>& warnings)
        : m_file(file),
          m_section(std::move(section)),
          m_warnings(warnings)
    {}

    std::optional<std::string> Text(std::string_view key) const { return m_file.Get(m_section, key); }

    void Flag(std::string_view key, bool& value) const
    {
        const auto text = Text(key);
        if (!text) return;
        if (const auto n = Number<long long>(*text)) {
            value = *n != 0;
        } else {
            Warn(key, *text, "0 or 1");
        }
    }

    template <class T>
    void Value(std::string_view key, T& value, T low, T high) const
    {
        const auto text = Text(key);
        if (!text) return;
        const auto n = Number<T>(*text);
        if (n && *n >= low && *n <= high) {
            value = *n;
        } else {
            Warn(key, *text, "a number from " + Format(low) + " to " + Format(high));
        }
    }

    void Warn(std::string_view key, std::string_view text, const std::string& wanted) const
    {
        m_warnings.push_back("[" + m_section + "] " + std::string(key) + "=" + std::string(text) + " is not " + wanted +
                             "; the default stays");
    }

private:
    template <class T>
    static std::string Format(T value)
    {
        std::ostringstream out;
        out << value;
        return out.str();
    }

    const IniText& m_file;
    std::string m_section;
    std::vector<std::string>& m_warnings;
};

std::optional<PortSpec> ParsePort(std::string_view text)
{
    text = Trim(text);
    if (EqualsNoCase(text, "none") || text.empty()) return PortSpec{};
    if (EqualsNoCase(text, "motor")) return PortSpec{PortKind::Motor, 0};
    if (text.size() > 4 && EqualsNoCase(text.substr(0, 4), "sat ")) {
        const auto code = Number<int>(text.substr(4));
        if (code && *code >= 0 && *code <= 3599) return PortSpec{PortKind::FixedLnb, *code};
    }
    return std::nullopt;
}

CableSpec ParseCable(const IniText& file, const std::string& section, std::vector<std::string>& warnings)
{
    CableSpec cable;
    const SectionReader read(file, section, warnings);
    if (const auto lnb = read.Text("Lnb")) {
        const auto parts = Split(*lnb, ',');
        std::optional<std::uint32_t> low, high, change;
        if (parts.size() == 3) {
            low = Number<std::uint32_t>(parts[0]);
            high = Number<std::uint32_t>(parts[1]);
            change = Number<std::uint32_t>(parts[2]);
        }
        if (low && high && change && *low <= 30000 && *high <= 30000 && *change <= 30000) {
            cable.lnb = LnbSpec{*low, *high, *change};
        } else {
            read.Warn("Lnb", *lnb, "low,high,switch in MHz");
        }
    }
    static constexpr const char* kPorts[] = {"PortA", "PortB", "PortC", "PortD"};
    for (std::size_t i = 0; i < 4; ++i) {
        if (const auto text = read.Text(kPorts[i])) {
            if (const auto port = ParsePort(*text)) {
                cable.ports[i] = *port;
            } else {
                read.Warn(kPorts[i], *text, "\"sat NNNN\", \"motor\" or \"none\"");
            }
        }
    }
    if (const auto text = read.Text("Default")) {
        const auto port = Upper(Trim(*text));
        if (port.size() == 1 && port[0] >= 'A' && port[0] <= 'D') {
            cable.defaultPort = port[0] - 'A';
        } else {
            read.Warn("Default", *text, "A, B, C or D");
        }
    }
    read.Value("MotorAngle", cable.motor.angle, -80.0, 80.0);
    read.Value("MotorSpeed", cable.motor.speed, 0.01, 100.0);
    read.Value("MotorStep", cable.motor.step, 0.001, 10.0);
    read.Flag("MotorActsOnRepeat", cable.motorActsOnRepeat);
    return cable;
}

TunerSpec ParseTuner(const IniText& file, std::string_view id, std::vector<std::string>& warnings)
{
    TunerSpec tuner;
    tuner.section = std::string(id);
    const std::string section = "Tuner." + tuner.section;
    if (!file.HasSection(section)) {
        warnings.push_back("[" + section + "] is missing; the tuner takes every default and has no name");
    }
    const SectionReader read(file, section, warnings);
    tuner.name = read.Text("Name");
    if (const auto kind = read.Text("Kind")) {
        if (EqualsNoCase(*kind, "pcie"))
            tuner.kind = TunerKind::Pcie;
        else if (EqualsNoCase(*kind, "usb"))
            tuner.kind = TunerKind::Usb;
        else
            read.Warn("Kind", *kind, "pcie or usb");
    }
    if (const auto pin = read.Text("InputPin")) tuner.inputPin = *pin;
    read.Flag("FilterKs", tuner.filterKs);
    read.Flag("PinKs", tuner.pinKs);
    read.Flag("Capture", tuner.capture);
    read.Flag("Topology", tuner.topology);
    read.Flag("Statistics", tuner.statistics);
    if (const auto cable = read.Text("Cable")) tuner.cable = *cable;

    tuner.modes = PropertyModes(tuner.kind);
    for (const PropertySet set : {PropertySet::Bda, PropertySet::Ctrl}) {
        for (ULONG id = 0; id <= kMaxPropertyId; ++id) {
            const std::string key = std::string(PropertySetName(set)) + "." + std::to_string(id);
            if (const auto text = read.Text(key)) {
                if (const auto mode = ParsePropertyMode(*text)) {
                    tuner.modes.Set(set, id, *mode);
                } else {
                    read.Warn(key, *text, "supported, unsupported, fail or positive");
                }
            }
        }
    }
    return tuner;
}

} // namespace

World ParseWorld(const IniText& file)
{
    World world;
    const SectionReader read(file, "World", world.warnings);

    if (const auto site = read.Text("Site")) {
        const auto parts = Split(*site, ',');
        const auto latitude = parts.size() == 2 ? Number<double>(parts[0]) : std::nullopt;
        const auto longitude = parts.size() == 2 ? Number<double>(parts[1]) : std::nullopt;
        if (latitude && longitude && std::fabs(*latitude) <= 90.0 && std::fabs(*longitude) <= 180.0) {
            world.site = Site{*latitude, *longitude};
        } else {
            read.Warn("Site", *site, "latitude,longitude in degrees");
        }
    }
    if (const auto sky = read.Text("Sky")) world.sky = *sky;
    read.Flag("Demultiplexer", world.demultiplexer);
    read.Flag("Tee", world.tee);
    read.Flag("NetworkProvider", world.networkProvider);
    read.Flag("TuningSpaceStore", world.tuningSpaceStore);
    read.Flag("TransportInformation", world.transportInformation);
    read.Value("DeviceRemovalAfter", world.deviceRemovalAfterMs, 0u, 24u * 3600u * 1000u);

    if (const auto list = read.Text("Tuners")) {
        for (const auto id : Split(*list, ',')) {
            if (id.empty()) continue;
            if (world.tuners.size() == kMaxTuners) {
                world.warnings.push_back("[World] Tuners lists more than " + std::to_string(kMaxTuners) +
                                         " tuners; the rest are left out");
                break;
            }
            world.tuners.push_back(ParseTuner(file, id, world.warnings));
        }
    }
    for (const auto& tuner : world.tuners) {
        const std::string key = Upper(tuner.cable);
        if (world.cables.count(key)) continue;
        const std::string section = "Cable." + tuner.cable;
        if (!file.HasSection(section)) {
            world.warnings.push_back("[" + section + "] is missing; that cable has nothing on it");
        }
        world.cables.emplace(key, ParseCable(file, section, world.warnings));
    }
    return world;
}

World ParseWorldText(std::string_view text) { return ParseWorld(IniText(text, IniText::Options{true})); }

std::optional<World> LoadWorldFile(const std::filesystem::path& file, std::string* error)
{
    // A named pipe or a device is refused before anything is read: reading it
    // would block the program before any window, or fill its memory.
    std::string text;
    switch (ReadWholeFile(file, kMaxWorldFileBytes, text)) {
    case WholeFileRead::Read:
        return ParseWorldText(text);
    case WholeFileRead::TooLarge:
        if (error) *error = file.string() + ": larger than a world file can be";
        return std::nullopt;
    case WholeFileRead::NotRegular:
        if (error) *error = file.string() + ": not a regular file";
        return std::nullopt;
    case WholeFileRead::Missing:
    case WholeFileRead::Failed:
        break;
    }
    if (error) *error = file.string() + ": cannot be read";
    return std::nullopt;
}

} // namespace sim
