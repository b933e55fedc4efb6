#pragma once
// Modulations, code rates and their numbers in DVB-S (EN 300 421) and DVB-S2
// (EN 302 307): the MODCOD number, the DVB-S code-rate index the driver
// reports, and the customary FEC digits of satellite files ("23" is 2/3).
#include <optional>
#include <string_view>

namespace sim {

enum class Modulation { Qpsk, Psk8, Apsk16, Apsk32 };

enum class CodeRate { R1_4, R1_3, R2_5, R1_2, R3_5, R2_3, R3_4, R4_5, R5_6, R6_7, R7_8, R8_9, R9_10 };

struct Fraction {
    int numerator;
    int denominator;
};
Fraction RateFraction(CodeRate rate);

// "12", "23", "34", "35", "45", "56", "67", "78", "89", "910", "14", "13",
// "25"; also "2/3". Nothing for anything else.
std::optional<CodeRate> ParseFec(std::string_view digits);
// "QPSK", "8PSK", "16APSK", "32APSK", any case.
std::optional<Modulation> ParseModulation(std::string_view text);

// Bits carried by one symbol: 2, 3, 4 or 5.
int BitsPerSymbol(Modulation modulation);
// The StreamInfo modulation number: 0 QPSK, 1 8PSK, 2 16APSK, 3 32APSK.
int ModulationIndex(Modulation modulation);

// The DVB-S2 MODCOD, 1 (QPSK 1/4) to 28 (32APSK 9/10); nothing for a pair
// DVB-S2 does not define (8PSK 1/2, any 6/7 or 7/8 ...).
std::optional<int> Dvbs2Modcod(Modulation modulation, CodeRate rate);
// DVB-S code-rate index: 0 1/2, 1 2/3, 2 3/4, 3 4/5, 4 5/6, 5 6/7, 6 7/8,
// 7 8/9; nothing for rates DVB-S does not use.
std::optional<int> DvbsCodeRateIndex(CodeRate rate);

} // namespace sim
