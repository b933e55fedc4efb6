// Guards the generated data beside the program: every CityList line and every satellite
// file must read back the way the page and the simulated sky read them.
#include "positioner/CityLine.h"
#include "positioner/SatelliteEntry.h"
#include "positioner/TextNumber.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = KAVRO_DATA_DIR;

std::vector<std::string> ReadLines(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// The whole text is one decimal number (what the page shows is what "Go" reads).
bool WholeNumber(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool WholeInteger(const std::string& text, long& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

TEST(ShippedData, EveryCityLineHasFourFieldsAndReadableCoordinates)
{
    const auto lines = ReadLines(kData / "CityList.txt");
    ASSERT_GT(lines.size(), 1000u);

    std::set<std::string> countriesDone;
    std::map<std::string, int> citiesPerCountry;
    std::set<std::pair<std::string, std::string>> seen;
    std::string current;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        SCOPED_TRACE("CityList.txt line " + std::to_string(n + 1) + ": " + lines[n]);
        ASSERT_EQ(lines[n].find('\r'), std::string::npos);
        const CityLine fields = SplitCityLine(lines[n]);
        ASSERT_FALSE(fields.country.empty());
        ASSERT_FALSE(fields.city.empty());
        EXPECT_EQ(fields.longitude.find('\t'), std::string::npos);

        double latitude = 0;
        double longitude = 0;
        ASSERT_TRUE(WholeNumber(fields.latitude, latitude));
        ASSERT_TRUE(WholeNumber(fields.longitude, longitude));
        EXPECT_LE(std::fabs(latitude), 90);
        EXPECT_LE(std::fabs(longitude), 180);
        EXPECT_EQ(TextToDouble(fields.latitude), latitude);
        EXPECT_EQ(TextToDouble(fields.longitude), longitude);

        // Readers stop at the first line of another country once they met theirs.
        if (fields.country != current) {
            EXPECT_FALSE(countriesDone.count(fields.country)) << fields.country << " lines are split";
            countriesDone.insert(current);
            current = fields.country;
        }
        EXPECT_TRUE(seen.insert({fields.country, fields.city}).second) << "listed twice";
        ++citiesPerCountry[fields.country];
    }

    int withSeveral = 0;
    for (const auto& [country, count] : citiesPerCountry) {
        withSeveral += count > 1;
    }
    EXPECT_GT(citiesPerCountry.size(), 150u);
    EXPECT_GT(withSeveral, 100);
}

struct IniFile {
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string Get(const std::string& section, const std::string& key) const
    {
        const auto s = sections.find(section);
        if (s == sections.end()) {
            return {};
        }
        const auto k = s->second.find(key);
        return k == s->second.end() ? std::string() : k->second;
    }
};

IniFile ReadIni(const fs::path& file)
{
    IniFile ini;
    std::string section;
    for (const auto& line : ReadLines(file)) {
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            ini.sections[section][line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return ini;
}

bool InSatelliteBand(long mhz)
{
    const long bands[][2] = {{2500, 2700}, {3400, 4800}, {10700, 12750}, {17300, 22000}};
    for (const auto& band : bands) {
        if (mhz >= band[0] && mhz <= band[1]) {
            return true;
        }
    }
    return false;
}

// One [DVB] line: "MHz,H|V,kS/s,FEC,DVB-S|DVB-S2,modulation" and optional key=value.
void ExpectTransponder(const std::string& line)
{
    static const std::set<std::string> fecs{"12", "23", "34", "35", "45", "56", "67", "78", "89", "910"};
    static const std::set<std::string> modulations{"QPSK", "8PSK", "16APSK", "32APSK"};
    const auto fields = Split(line, ',');
    ASSERT_GE(fields.size(), 6u);
    long mhz = 0;
    long symbolRate = 0;
    ASSERT_TRUE(WholeInteger(fields[0], mhz));
    EXPECT_TRUE(InSatelliteBand(mhz));
    EXPECT_TRUE(fields[1] == "H" || fields[1] == "V");
    ASSERT_TRUE(WholeInteger(fields[2], symbolRate));
    EXPECT_GE(symbolRate, 100);
    EXPECT_LE(symbolRate, 72000);
    EXPECT_TRUE(fecs.count(fields[3]));
    EXPECT_TRUE(fields[4] == "DVB-S" || fields[4] == "DVB-S2");
    EXPECT_TRUE(modulations.count(fields[5]));
    if (fields[4] == "DVB-S") {
        EXPECT_EQ(fields[5], "QPSK");
    }
    for (std::size_t i = 6; i < fields.size(); ++i) {
        const auto equals = fields[i].find('=');
        ASSERT_NE(equals, std::string::npos) << fields[i];
        const std::string key = fields[i].substr(0, equals);
        const std::string value = fields[i].substr(equals + 1);
        if (key == "isi") {
            const auto ids = Split(value, ';');
            EXPECT_GE(ids.size(), 2u);
            for (const auto& id : ids) {
                long stream = -1;
                EXPECT_TRUE(WholeInteger(id, stream) && stream >= 0 && stream <= 255) << id;
            }
        } else if (key == "pls") {
            const auto colon = value.find(':');
            ASSERT_NE(colon, std::string::npos);
            long code = -1;
            EXPECT_TRUE(value.substr(0, colon) == "root" || value.substr(0, colon) == "gold");
            EXPECT_TRUE(WholeInteger(value.substr(colon + 1), code) && code >= 0 && code < (1 << 18));
        } else {
            ADD_FAILURE() << "unknown field " << key;
        }
    }
}

TEST(ShippedData, EverySatelliteFileReadsBackWhole)
{
    std::map<std::string, std::string> positions; // code -> file
    for (const auto& entry : fs::directory_iterator(kData / "Transponders")) {
        if (entry.path().extension() != ".ini") {
            continue;
        }
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const IniFile ini = ReadIni(entry.path());

        const std::string code = ini.Get("SATTYPE", "1");
        ASSERT_EQ(code.size(), 4u);
        long tenths = -1;
        ASSERT_TRUE(WholeInteger(code, tenths));
        EXPECT_LT(tenths, 3600);
        EXPECT_FALSE(ini.Get("SATTYPE", "2").empty());
        EXPECT_LT(ini.Get("SATTYPE", "2").size(), 260u);
        EXPECT_TRUE(positions.emplace(code, name).second) << "position " << code << " also in " << positions[code];

        // What "Go" reads back from the list entry.
        const std::string listEntry = SatelliteListEntry(code, ini.Get("SATTYPE", "2"));
        EXPECT_EQ(listEntry.substr(4, 2), "  ");
        EXPECT_EQ(SatelliteCodeFromText(listEntry), static_cast<double>(tenths));

        long count = 0;
        ASSERT_TRUE(WholeInteger(ini.Get("DVB", "0"), count));
        ASSERT_GT(count, 0);
        EXPECT_EQ(ini.sections.at("DVB").size(), static_cast<std::size_t>(count) + 1);
        for (long n = 1; n <= count; ++n) {
            SCOPED_TRACE("transponder " + std::to_string(n));
            ExpectTransponder(ini.Get("DVB", std::to_string(n)));
        }
    }
    EXPECT_GT(positions.size(), 100u);

    // The positions dishes in Europe, the Americas, Africa and Asia are aimed at most.
    const char* popular[] = {"0192", "0130", "0282", "0235", "0090", "0070", "3550", "3300", "2630", "0685", "1005"};
    for (const char* code : popular) {
        EXPECT_TRUE(positions.count(code)) << "position " << code << " missing";
    }
}

} // namespace
