#include "sim/tuner/SatelliteFile.h"

#include "sim/tuner/ScramblingCode.h"

#include <charconv>
#include <cmath>

namespace sim {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(separator);
        parts.push_back(Trim(text.substr(0, at)));
        if (at == std::string_view::npos) {
            return parts;
        }
        text = text.substr(at + 1);
    }
}

// A whole decimal number and nothing else.
template <class T>
std::optional<T> ParseNumber(std::string_view text)
{
    text = Trim(text);
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> ParseOnOff(std::string_view text)
{
    if (EqualsNoCase(text, "on")) return true;
    if (EqualsNoCase(text, "off")) return false;
    return std::nullopt;
}

std::optional<Polarisation> ParsePolarisation(std::string_view text)
{
    if (EqualsNoCase(text, "H")) return Polarisation::Horizontal;
    if (EqualsNoCase(text, "V")) return Polarisation::Vertical;
    if (EqualsNoCase(text, "L")) return Polarisation::Left;
    if (EqualsNoCase(text, "R")) return Polarisation::Right;
    return std::nullopt;
}

std::optional<DeliverySystem> ParseSystem(std::string_view text)
{
    for (auto name : {"DVB-S", "S", "S1", "DVB-S1", "DVBS"}) {
        if (EqualsNoCase(text, name)) return DeliverySystem::DvbS;
    }
    for (auto name : {"DVB-S2", "S2", "DVBS2"}) {
        if (EqualsNoCase(text, name)) return DeliverySystem::DvbS2;
    }
    return std::nullopt;
}

// Applies one key=value field; an error text when it cannot.
std::string ApplyField(Transponder& t, std::string_view key, std::string_view value)
{
    if (EqualsNoCase(key, "isi")) {
        t.inputStreams.clear();
        for (auto part : Split(value, ';')) {
            const auto id = ParseNumber<int>(part);
            if (!id || *id < 0 || *id > 255) {
                return "input stream identifier \"" + std::string(part) + "\" is not 0 to 255";
            }
            t.inputStreams.push_back(*id);
        }
        return {};
    }
    if (EqualsNoCase(key, "pls")) {
        const auto colon = value.find(':');
        const auto kind = Trim(value.substr(0, colon));
        const auto number =
            colon == std::string_view::npos ? std::nullopt : ParseNumber<std::int64_t>(value.substr(colon + 1));
        std::optional<std::uint32_t> gold;
        if (number && EqualsNoCase(kind, "gold") && *number >= 0 && *number <= kMaxGoldCode) {
            gold = static_cast<std::uint32_t>(*number);
        } else if (number && EqualsNoCase(kind, "root") && *number >= 1 && *number <= kMaxRootCode) {
            gold = RootToGold(static_cast<std::uint32_t>(*number));
        }
        if (!gold) {
            return "scrambling \"" + std::string(value) + "\" is not root:1..262143 or gold:0..262142";
        }
        t.goldCode = *gold;
        return {};
    }
    if (EqualsNoCase(key, "rolloff")) {
        if (value == "0.35")
            t.rollOff = RollOff::R035;
        else if (value == "0.25")
            t.rollOff = RollOff::R025;
        else if (value == "0.20" || value == "0.2")
            t.rollOff = RollOff::R020;
        else
            return "roll-off \"" + std::string(value) + "\" is not 0.35, 0.25 or 0.20";
        return {};
    }
    if (EqualsNoCase(key, "frame")) {
        if (EqualsNoCase(value, "long"))
            t.shortFrame = false;
        else if (EqualsNoCase(value, "short"))
            t.shortFrame = true;
        else
            return "frame \"" + std::string(value) + "\" is not long or short";
        return {};
    }
    if (EqualsNoCase(key, "stream")) {
        if (EqualsNoCase(value, "ts"))
            t.stream = StreamKind::Transport;
        else if (EqualsNoCase(value, "gp"))
            t.stream = StreamKind::GenericPacketized;
        else if (EqualsNoCase(value, "gc"))
            t.stream = StreamKind::GenericContinuous;
        else
            return "stream \"" + std::string(value) + "\" is not ts, gp or gc";
        return {};
    }
    if (EqualsNoCase(key, "coding")) {
        if (EqualsNoCase(value, "ccm"))
            t.adaptiveCoding = false;
        else if (EqualsNoCase(value, "acm"))
            t.adaptiveCoding = true;
        else
            return "coding \"" + std::string(value) + "\" is not ccm or acm";
        return {};
    }
    if (EqualsNoCase(key, "services")) {
        t.services.clear();
        for (auto name : Split(value, ';')) {
            if (!name.empty()) {
                // A service name travels in one descriptor field of at most 255 bytes.
                t.services.emplace_back(name.substr(0, 64));
            }
        }
        return {};
    }
    bool* flag = nullptr;
    if (EqualsNoCase(key, "pilots"))
        flag = &t.pilots;
    else if (EqualsNoCase(key, "issyi"))
        flag = &t.issyi;
    else if (EqualsNoCase(key, "npd"))
        flag = &t.npd;
    else if (EqualsNoCase(key, "inversion"))
        flag = &t.spectrumInverted;
    if (flag) {
        const auto on = ParseOnOff(value);
        if (!on) return std::string(key) + " \"" + std::string(value) + "\" is not on or off";
        *flag = *on;
        return {};
    }
    return "unknown field \"" + std::string(key) + "\"";
}

// More than any satellite carries; it bounds the work a broken count causes.
constexpr int kMaxTransponders = 4096;

TransponderParse Refuse(std::string error) { return TransponderParse{std::nullopt, std::move(error)}; }

} // namespace

TransponderParse ParseTransponderLine(std::string_view line)
{
    const auto fields = Split(line, ',');
    if (fields.size() < 4) {
        return Refuse("fewer than four fields");
    }
    Transponder t;
    const auto frequency = ParseNumber<std::uint32_t>(fields[0]);
    if (!frequency || *frequency < 1000 || *frequency > 30000) {
        return Refuse("frequency \"" + std::string(fields[0]) + "\" is not 1000 to 30000 MHz");
    }
    t.frequencyMhz = *frequency;
    const auto polarisation = ParsePolarisation(fields[1]);
    if (!polarisation) {
        return Refuse("polarisation \"" + std::string(fields[1]) + "\" is not H, V, L or R");
    }
    t.polarisation = *polarisation;
    const auto symbolRate = ParseNumber<std::uint32_t>(fields[2]);
    if (!symbolRate || *symbolRate < 100 || *symbolRate > 100000) {
        return Refuse("symbol rate \"" + std::string(fields[2]) + "\" is not 100 to 100000 kS/s");
    }
    t.symbolRateKsps = *symbolRate;
    const auto fec = ParseFec(fields[3]);
    if (!fec) {
        return Refuse("FEC \"" + std::string(fields[3]) + "\" is unknown");
    }
    t.fec = *fec;

    std::size_t next = 4;
    if (next < fields.size() && fields[next].find('=') == std::string_view::npos) {
        const auto system = ParseSystem(fields[next]);
        if (!system) {
            return Refuse("system \"" + std::string(fields[next]) + "\" is not DVB-S or DVB-S2");
        }
        t.system = *system;
        ++next;
    }
    if (next < fields.size() && fields[next].find('=') == std::string_view::npos) {
        const auto modulation = ParseModulation(fields[next]);
        if (!modulation) {
            return Refuse("modulation \"" + std::string(fields[next]) + "\" is unknown");
        }
        t.modulation = *modulation;
        ++next;
    }
    for (; next < fields.size(); ++next) {
        const auto equals = fields[next].find('=');
        if (equals == std::string_view::npos) {
            return Refuse("field \"" + std::string(fields[next]) + "\" is not key=value");
        }
        auto error = ApplyField(t, Trim(fields[next].substr(0, equals)), Trim(fields[next].substr(equals + 1)));
        if (!error.empty()) {
            return Refuse(std::move(error));
        }
    }

    if (t.system == DeliverySystem::DvbS) {
        if (t.modulation != Modulation::Qpsk || !DvbsCodeRateIndex(t.fec)) {
            return Refuse("DVB-S carries QPSK with FEC 1/2 to 8/9 only");
        }
    } else {
        if (!Dvbs2Modcod(t.modulation, t.fec)) {
            return Refuse("DVB-S2 defines no MODCOD for this modulation and FEC");
        }
        if (t.shortFrame && t.fec == CodeRate::R9_10) {
            return Refuse("DVB-S2 short frames have no FEC 9/10");
        }
    }
    return TransponderParse{std::move(t), {}};
}

SatelliteParse ParseSatelliteFile(const IniText& file, std::string_view source)
{
    SatelliteParse result;
    auto warn = [&](const std::string& text) { result.warnings.push_back(std::string(source) + ": " + text); };

    const auto code = file.Get("SATTYPE", "1");
    const auto position = code ? ParseNumber<int>(*code) : std::nullopt;
    if (!position || *position < 0 || *position > 3599) {
        warn("[SATTYPE] 1 is not a position code 0000 to 3599; file skipped");
        return result;
    }
    Satellite satellite;
    satellite.positionCode = *position;
    satellite.name = file.Get("SATTYPE", "2").value_or(std::string());

    const auto countText = file.Get("DVB", "0");
    const auto count = countText ? ParseNumber<int>(*countText) : std::nullopt;
    if (!count || *count < 0 || *count > kMaxTransponders) {
        warn("[DVB] 0 is not a transponder count 0 to " + std::to_string(kMaxTransponders) + "; no transponders");
    } else {
        for (int i = 1; i <= *count; ++i) {
            const auto line = file.Get("DVB", std::to_string(i));
            if (!line) {
                warn("[DVB] " + std::to_string(i) + " is missing");
                continue;
            }
            auto parsed = ParseTransponderLine(*line);
            if (!parsed.transponder) {
                warn("[DVB] " + std::to_string(i) + " skipped: " + parsed.error);
                continue;
            }
            parsed.transponder->line = i;
            if (parsed.transponder->services.empty()) {
                parsed.transponder->services.push_back(std::to_string(parsed.transponder->frequencyMhz) + " " +
                                                       PolarisationLetter(parsed.transponder->polarisation));
            }
            satellite.transponders.push_back(std::move(*parsed.transponder));
        }
    }
    result.satellite = std::move(satellite);
    return result;
}

} // namespace sim
