#pragma once
// What a BDA driver works out from a tune request before it touches the
// frontend, as pure functions: the LNB band and intermediate frequency, the
// LNB supply voltage, and the DVB-S2 scrambling sequence; and the figures the
// program shows, worked out from what the frontend measures. No COM, no
// device: every rule here is checked with numbers alone.
#include <cstdint>
#include <optional>

namespace dvb {

// The LNB side of one tune.
struct LnbTune {
    std::uint32_t intermediateKhz = 0; // what the frontend tunes to
    bool highBand = false;             // the 22 kHz tone
    bool horizontal = false;           // 18 V (horizontal, circular left) else 13 V
};

// From the carrier and the tuning space's oscillators, kHz (0 where the
// request leaves one unset). The high band is chosen when the carrier lies
// above the switch frequency (equal is low band), as a BDA driver does. The
// IF is the carrier's distance from the band's oscillator, so a C-band LNB
// (oscillator above the carrier) works as well. polarisation: 1 linear
// horizontal, 2 linear vertical, 3 circular left, 4 circular right.
LnbTune ChooseLnb(std::uint32_t carrierKhz, std::uint32_t lowKhz, std::uint32_t highKhz, std::uint32_t switchKhz,
                  int polarisation);

// The frontend's input range, kHz: an IF outside it cannot be tuned.
inline constexpr std::uint32_t kMinIntermediateKhz = 950'000;
inline constexpr std::uint32_t kMaxIntermediateKhz = 2'150'000;

// The scrambling sequence index of DVB-S2 (the gold code n) for a root code
// (1 to 262143); nothing for a root code no sequence starts with.
std::optional<std::uint32_t> GoldFromRoot(std::uint32_t root);
inline constexpr std::uint32_t kMaxGoldCode = 262141;
inline constexpr std::uint32_t kMaxRootCode = 262143;

// Signal strength 0-100 from the frontend's reading: a level in 0.001 dBm
// maps -90 dBm to 0 and -30 dBm to 100 (0.6 dB a step); a relative reading
// (0 to 65535) maps linearly. Nothing measured: 0.
int StrengthPercent(std::optional<std::int64_t> milliDbm, std::optional<std::uint64_t> relative);
// Signal quality 0-100 from the carrier-to-noise ratio in 0.001 dB: 0 dB and
// below 0, 15 dB and above 100 (0.15 dB a step); a relative reading maps
// linearly. 0 while unlocked, whatever the reading.
int QualityPercent(bool locked, std::optional<std::int64_t> milliDb, std::optional<std::uint64_t> relative);

// The level and ratio that read back as these figures (the emulator answers
// with them, so the simulated card's figures survive the trip).
std::int64_t MilliDbmForStrength(int percent);
std::int64_t MilliDbForQuality(int percent);

} // namespace dvb
