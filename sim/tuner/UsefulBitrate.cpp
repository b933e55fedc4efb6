#include "sim/tuner/UsefulBitrate.h"

#include <algorithm>

namespace sim {

int BchInputBits(CodeRate rate, bool shortFrame)
{
    struct Row {
        CodeRate rate;
        int normal;
        int shortFrame;
    };
    static constexpr Row kTable[] = {
        {CodeRate::R1_4, 16008, 3072},  {CodeRate::R1_3, 21408, 5232},  {CodeRate::R2_5, 25728, 6312},
        {CodeRate::R1_2, 32208, 7032},  {CodeRate::R3_5, 38688, 9552},  {CodeRate::R2_3, 43040, 10632},
        {CodeRate::R3_4, 48408, 11712}, {CodeRate::R4_5, 51648, 12432}, {CodeRate::R5_6, 53840, 13152},
        {CodeRate::R8_9, 57472, 14232}, {CodeRate::R9_10, 58192, 0},
    };
    for (const auto& row : kTable) {
        if (row.rate == rate) {
            return shortFrame ? row.shortFrame : row.normal;
        }
    }
    return 0;
}

double UsefulBitrate(const Transponder& t)
{
    const double symbolRate = t.symbolRateKsps * 1000.0;
    const auto fraction = RateFraction(t.fec);
    const double codeRate = static_cast<double>(fraction.numerator) / fraction.denominator;

    double rate = 0.0;
    if (t.system == DeliverySystem::DvbS) {
        rate = symbolRate * 2.0 * codeRate * 188.0 / 204.0;
    } else {
        const int kbch = BchInputBits(t.fec, t.shortFrame);
        if (kbch == 0) {
            return 0.0;
        }
        const int nldpc = t.shortFrame ? 16200 : 64800;
        const int slots = nldpc / (90 * BitsPerSymbol(t.modulation));
        const int pilotBlocks = t.pilots ? (slots - 1) / 16 : 0;
        const double symbols = 90.0 * (slots + 1) + 36.0 * pilotBlocks;
        rate = symbolRate * (kbch - 80) / symbols;
        if (t.issyi) {
            rate = rate * 188.0 / 190.0;
        }
    }
    return rate / static_cast<double>(std::max<std::size_t>(1, t.inputStreams.size()));
}

} // namespace sim
