#include "sim/tuner/Modcod.h"

#include "sim/tuner/IniText.h"

#include <array>

namespace sim {

namespace {

struct RateRow {
    CodeRate rate;
    std::string_view digits;
    std::string_view slashed;
    Fraction fraction;
};
constexpr std::array<RateRow, 13> kRates = {{
    {CodeRate::R1_4, "14", "1/4", {1, 4}},
    {CodeRate::R1_3, "13", "1/3", {1, 3}},
    {CodeRate::R2_5, "25", "2/5", {2, 5}},
    {CodeRate::R1_2, "12", "1/2", {1, 2}},
    {CodeRate::R3_5, "35", "3/5", {3, 5}},
    {CodeRate::R2_3, "23", "2/3", {2, 3}},
    {CodeRate::R3_4, "34", "3/4", {3, 4}},
    {CodeRate::R4_5, "45", "4/5", {4, 5}},
    {CodeRate::R5_6, "56", "5/6", {5, 6}},
    {CodeRate::R6_7, "67", "6/7", {6, 7}},
    {CodeRate::R7_8, "78", "7/8", {7, 8}},
    {CodeRate::R8_9, "89", "8/9", {8, 9}},
    {CodeRate::R9_10, "910", "9/10", {9, 10}},
}};

// EN 302 307 table 12: MODCOD numbers in order, per modulation.
struct ModcodRow {
    Modulation modulation;
    CodeRate rate;
};
constexpr std::array<ModcodRow, 28> kModcods = {{
    {Modulation::Qpsk, CodeRate::R1_4},    {Modulation::Qpsk, CodeRate::R1_3},    {Modulation::Qpsk, CodeRate::R2_5},
    {Modulation::Qpsk, CodeRate::R1_2},    {Modulation::Qpsk, CodeRate::R3_5},    {Modulation::Qpsk, CodeRate::R2_3},
    {Modulation::Qpsk, CodeRate::R3_4},    {Modulation::Qpsk, CodeRate::R4_5},    {Modulation::Qpsk, CodeRate::R5_6},
    {Modulation::Qpsk, CodeRate::R8_9},    {Modulation::Qpsk, CodeRate::R9_10},   {Modulation::Psk8, CodeRate::R3_5},
    {Modulation::Psk8, CodeRate::R2_3},    {Modulation::Psk8, CodeRate::R3_4},    {Modulation::Psk8, CodeRate::R5_6},
    {Modulation::Psk8, CodeRate::R8_9},    {Modulation::Psk8, CodeRate::R9_10},   {Modulation::Apsk16, CodeRate::R2_3},
    {Modulation::Apsk16, CodeRate::R3_4},  {Modulation::Apsk16, CodeRate::R4_5},  {Modulation::Apsk16, CodeRate::R5_6},
    {Modulation::Apsk16, CodeRate::R8_9},  {Modulation::Apsk16, CodeRate::R9_10}, {Modulation::Apsk32, CodeRate::R3_4},
    {Modulation::Apsk32, CodeRate::R4_5},  {Modulation::Apsk32, CodeRate::R5_6},  {Modulation::Apsk32, CodeRate::R8_9},
    {Modulation::Apsk32, CodeRate::R9_10},
}};

} // namespace

Fraction RateFraction(CodeRate rate)
{
    for (const auto& row : kRates) {
        if (row.rate == rate) return row.fraction;
    }
    return {1, 2};
}

std::optional<CodeRate> ParseFec(std::string_view digits)
{
    digits = Trim(digits);
    for (const auto& row : kRates) {
        if (digits == row.digits || digits == row.slashed) return row.rate;
    }
    return std::nullopt;
}

std::optional<Modulation> ParseModulation(std::string_view text)
{
    text = Trim(text);
    if (EqualsNoCase(text, "QPSK")) return Modulation::Qpsk;
    if (EqualsNoCase(text, "8PSK")) return Modulation::Psk8;
    if (EqualsNoCase(text, "16APSK")) return Modulation::Apsk16;
    if (EqualsNoCase(text, "32APSK")) return Modulation::Apsk32;
    return std::nullopt;
}

int BitsPerSymbol(Modulation modulation)
{
    switch (modulation) {
    case Modulation::Qpsk:
        return 2;
    case Modulation::Psk8:
        return 3;
    case Modulation::Apsk16:
        return 4;
    case Modulation::Apsk32:
        return 5;
    }
    return 2;
}

int ModulationIndex(Modulation modulation) { return BitsPerSymbol(modulation) - 2; }

std::optional<int> Dvbs2Modcod(Modulation modulation, CodeRate rate)
{
    for (std::size_t i = 0; i < kModcods.size(); ++i) {
        if (kModcods[i].modulation == modulation && kModcods[i].rate == rate) {
            return static_cast<int>(i) + 1;
        }
    }
    return std::nullopt;
}

std::optional<int> DvbsCodeRateIndex(CodeRate rate)
{
    switch (rate) {
    case CodeRate::R1_2:
        return 0;
    case CodeRate::R2_3:
        return 1;
    case CodeRate::R3_4:
        return 2;
    case CodeRate::R4_5:
        return 3;
    case CodeRate::R5_6:
        return 4;
    case CodeRate::R6_7:
        return 5;
    case CodeRate::R7_8:
        return 6;
    case CodeRate::R8_9:
        return 7;
    default:
        return std::nullopt;
    }
}

} // namespace sim
