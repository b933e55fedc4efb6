#include "dvb/DvbTuning.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace dvb {

namespace {

// -90 dBm is the weakest carrier a satellite frontend reports; 60 dB above
// it the input is saturated.
constexpr std::int64_t kFloorMilliDbm = -90'000;
constexpr std::int64_t kStrengthStepMilliDb = 600;
constexpr std::int64_t kQualityStepMilliDb = 150;

int Clamp(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, 100)); }

// Nearest whole step, halves away from zero.
std::int64_t Steps(std::int64_t milli, std::int64_t step)
{
    return milli >= 0 ? (milli + step / 2) / step : -((-milli + step / 2) / step);
}

int FromRelative(std::uint64_t relative) { return Clamp(static_cast<std::int64_t>((relative * 100 + 32767) / 65535)); }

// One step of the DVB-S2 x register: shift out x(i), shift in x(i+7) + x(i).
constexpr std::uint32_t Step(std::uint32_t x) { return (x >> 1) | (((x ^ (x >> 7)) & 1u) << 17); }

} // namespace

LnbTune ChooseLnb(std::uint32_t carrierKhz, std::uint32_t lowKhz, std::uint32_t highKhz, std::uint32_t switchKhz,
                  int polarisation)
{
    LnbTune tune;
    tune.horizontal = polarisation == 1 || polarisation == 3;
    tune.highBand = carrierKhz > switchKhz;
    const std::int64_t oscillator = tune.highBand ? highKhz : lowKhz;
    tune.intermediateKhz = static_cast<std::uint32_t>(std::llabs(static_cast<std::int64_t>(carrierKhz) - oscillator));
    return tune;
}

std::optional<std::uint32_t> GoldFromRoot(std::uint32_t root)
{
    if (root == 0 || root > kMaxRootCode) return std::nullopt;
    std::uint32_t x = 1;
    for (std::uint32_t n = 0; n <= kMaxGoldCode; ++n) {
        if (x == root) return n;
        x = Step(x);
    }
    return std::nullopt;
}

int StrengthPercent(std::optional<std::int64_t> milliDbm, std::optional<std::uint64_t> relative)
{
    if (milliDbm) return Clamp(Steps(*milliDbm - kFloorMilliDbm, kStrengthStepMilliDb));
    if (relative) return FromRelative(*relative);
    return 0;
}

int QualityPercent(bool locked, std::optional<std::int64_t> milliDb, std::optional<std::uint64_t> relative)
{
    if (!locked) return 0;
    if (milliDb) return Clamp(Steps(*milliDb, kQualityStepMilliDb));
    if (relative) return FromRelative(*relative);
    return 0;
}

std::int64_t MilliDbmForStrength(int percent) { return kFloorMilliDbm + percent * kStrengthStepMilliDb; }

std::int64_t MilliDbForQuality(int percent) { return percent * kQualityStepMilliDb; }

} // namespace dvb
