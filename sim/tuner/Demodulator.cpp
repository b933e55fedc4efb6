#include "sim/tuner/Demodulator.h"

#include "sim/tuner/UsefulBitrate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sim {

namespace {

// The tuner's input range: what the LNB puts out between these reaches it.
constexpr std::int64_t kTunerInputLowKhz = 950'000;
constexpr std::int64_t kTunerInputHighKhz = 2'150'000;
// How far off the tuned frequency the demodulator still finds a carrier.
constexpr std::int64_t kCaptureRangeKhz = 5'000;
// Level loss off boresight: -12 (error / full beam width)^2 dB, the usual
// parabolic main-lobe approximation, for a dish of about 1 degree half-power
// beam width.
constexpr double kBeamWidthDegrees = 2.0;
// Below this level the demodulator cannot hold the carrier.
constexpr double kLockThresholdDb = -6.0;
// A fixed LNB and a dish farther than this from every satellite see nothing.
constexpr double kSightDegrees = 3.0;

// A small deterministic jitter that changes every 700 ms: stable readings
// that still move, as real ones do.
int Jitter(std::int64_t nowMs, std::uint32_t seed, int spread)
{
    std::uint64_t x = static_cast<std::uint64_t>(nowMs / 700) * 0x9E3779B97F4A7C15ull + seed;
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    return static_cast<int>(x % static_cast<std::uint64_t>(2 * spread + 1)) - spread;
}

int Percent(double value) { return static_cast<int>(std::clamp(std::lround(value), 0L, 100L)); }

std::uint32_t TsGsField(StreamKind kind)
{
    switch (kind) {
    case StreamKind::Transport:
        return STREAMINFO_TSGS_TRANSPORT;
    case StreamKind::GenericPacketized:
        return STREAMINFO_TSGS_GENERIC_PACKETIZED;
    case StreamKind::GenericContinuous:
        return STREAMINFO_TSGS_GENERIC_CONTINUOUS;
    }
    return STREAMINFO_TSGS_TRANSPORT;
}

std::uint32_t RollOffField(RollOff rollOff)
{
    switch (rollOff) {
    case RollOff::R035:
        return STREAMINFO_ROLLOFF_035;
    case RollOff::R025:
        return STREAMINFO_ROLLOFF_025;
    case RollOff::R020:
        return STREAMINFO_ROLLOFF_020;
    }
    return STREAMINFO_ROLLOFF_035;
}

} // namespace

const char* LockStatusName(LockStatus status)
{
    switch (status) {
    case LockStatus::Locked:
        return "locked";
    case LockStatus::NotTuned:
        return "not tuned";
    case LockStatus::NoSatellite:
        return "no satellite";
    case LockStatus::NoTransponder:
        return "no transponder";
    case LockStatus::WeakSignal:
        return "weak signal";
    case LockStatus::SymbolRate:
        return "symbol rate";
    case LockStatus::Scrambling:
        return "scrambling";
    case LockStatus::InputStream:
        return "input stream";
    case LockStatus::Modcod:
        return "MODCOD";
    }
    return "?";
}

std::size_t ModcodFilterBit(int modcod, bool pilots, bool shortFrame)
{
    return static_cast<std::size_t>(modcod - 1) * 4 + (pilots ? 2 : 0) + (shortFrame ? 1 : 0);
}

Demodulator::Demodulator(const Sky& sky, const CableSpec& cable, const Site& site, const SimClock& clock)
    : m_sky(sky),
      m_site(site),
      m_clock(clock),
      m_cable(cable, clock.NowMs())
{
    m_modcods.set(); // until the driver sets a filter, every MODCOD passes
}

HRESULT Demodulator::Tune(const TuneRequest& request)
{
    std::lock_guard guard(m_lock);
    m_tune = request;
    // The band follows the tuning space's switch frequency (equal is low
    // band); the voltage the polarisation: 18 V horizontal or left, 13 V else.
    const bool highBand = request.frequencyKhz > request.lnbSwitchKhz;
    const bool horizontal = request.polarisation == 1 || request.polarisation == 3;
    m_cable.SetToneAndVoltage(highBand, horizontal);
    return S_OK;
}

HRESULT Demodulator::TuneIntermediate(std::uint32_t ifKhz, std::uint32_t symbolRateKsps)
{
    std::lock_guard guard(m_lock);
    // Oscillators of zero and a switch frequency above every IF: the tuned
    // IF is the frequency itself, in the low band of this arithmetic.
    TuneRequest request;
    request.frequencyKhz = ifKhz;
    request.symbolRateKsps = symbolRateKsps;
    request.lnbSwitchKhz = std::numeric_limits<std::uint32_t>::max();
    m_tune = request;
    return S_OK;
}

void Demodulator::SetTone(bool highBand)
{
    std::lock_guard guard(m_lock);
    m_cable.SetTone(highBand);
}

void Demodulator::SetVoltage(bool horizontal)
{
    std::lock_guard guard(m_lock);
    m_cable.SetVoltage(horizontal);
}

void Demodulator::AnyInputStream()
{
    std::lock_guard guard(m_lock);
    m_inputStreamId.reset();
}

void Demodulator::SendDiseqc(const std::uint8_t* bytes, std::size_t length)
{
    std::lock_guard guard(m_lock);
    m_cable.Receive(bytes, length, m_clock.NowMs());
}

const Satellite* Demodulator::Seen(std::int64_t nowMs, double* pointingError)
{
    const PortSpec& port = m_cable.CurrentPort();
    if (port.kind == PortKind::FixedLnb) {
        *pointingError = 0.0;
        return m_sky.Find(port.positionCode);
    }
    if (port.kind != PortKind::Motor) {
        return nullptr;
    }
    const double angle = m_cable.Motor().Angle(nowMs);
    const Satellite* best = nullptr;
    double bestError = kSightDegrees;
    for (const auto& satellite : m_sky.Satellites()) {
        const auto wanted = MotorAngleFor(m_site, satellite.LongitudeDegrees());
        if (wanted && std::fabs(*wanted - angle) < bestError) {
            bestError = std::fabs(*wanted - angle);
            best = &satellite;
        }
    }
    *pointingError = bestError;
    return best;
}

Demodulator::Reception Demodulator::Evaluate(std::int64_t nowMs)
{
    Reception r;
    if (!m_tune) {
        return r;
    }
    double error = 0.0;
    r.satellite = Seen(nowMs, &error);
    if (!r.satellite) {
        r.status = LockStatus::NoSatellite;
        return r;
    }
    r.levelDb = -12.0 * (error / kBeamWidthDegrees) * (error / kBeamWidthDegrees);

    // The tuner looks for the carrier at the IF the program's LNB figures
    // give; the signal arrives at the IF the real LNB makes.
    const std::int64_t frequency = m_tune->frequencyKhz;
    const bool highBand = frequency > static_cast<std::int64_t>(m_tune->lnbSwitchKhz);
    const std::int64_t tunedIf = std::llabs(frequency - (highBand ? m_tune->lnbHighKhz : m_tune->lnbLowKhz));
    const std::int64_t realLo = (m_cable.HighBand() ? m_cable.Lnb().highMhz : m_cable.Lnb().lowMhz) * 1000LL;

    std::int64_t bestDistance = kCaptureRangeKhz + 1;
    for (const auto& t : r.satellite->transponders) {
        if (NeedsHorizontalVoltage(t.polarisation) != m_cable.Horizontal()) {
            continue;
        }
        const std::int64_t signalIf = std::llabs(t.frequencyMhz * 1000LL - realLo);
        if (signalIf < kTunerInputLowKhz || signalIf > kTunerInputHighKhz) {
            continue;
        }
        const std::int64_t distance = std::llabs(signalIf - tunedIf);
        if (distance < bestDistance) {
            bestDistance = distance;
            r.transponder = &t;
        }
    }
    if (!r.transponder) {
        r.status = LockStatus::NoTransponder;
        return r;
    }
    const Transponder& t = *r.transponder;
    if (r.levelDb < kLockThresholdDb) {
        r.status = LockStatus::WeakSignal;
        return r;
    }
    // The symbol rate must match within 1 %.
    if (std::llabs(static_cast<std::int64_t>(t.symbolRateKsps) - m_tune->symbolRateKsps) * 100 > t.symbolRateKsps) {
        r.status = LockStatus::SymbolRate;
        return r;
    }
    if (t.system == DeliverySystem::DvbS2) {
        if (t.goldCode != m_goldCode) {
            r.status = LockStatus::Scrambling;
            return r;
        }
        if (t.IsMultistream()) {
            r.inputStreamId = m_inputStreamId.value_or(t.inputStreams.front());
            if (std::find(t.inputStreams.begin(), t.inputStreams.end(), r.inputStreamId) == t.inputStreams.end()) {
                r.status = LockStatus::InputStream;
                return r;
            }
        }
        const int modcod = Dvbs2Modcod(t.modulation, t.fec).value_or(0);
        if (modcod == 0 || !m_modcods.test(ModcodFilterBit(modcod, t.pilots, t.shortFrame))) {
            r.status = LockStatus::Modcod;
            return r;
        }
    }
    r.status = LockStatus::Locked;
    return r;
}

SignalStatistics Demodulator::StatisticsOf(const Reception& r, std::int64_t nowMs) const
{
    SignalStatistics s;
    switch (r.status) {
    case LockStatus::NotTuned:
        return s;
    case LockStatus::NoSatellite:
        s.strength = Percent(5 + Jitter(nowMs, 1, 1));
        return s;
    case LockStatus::NoTransponder:
        s.strength = Percent(15 + 2.0 * r.levelDb + Jitter(nowMs, 1, 1));
        return s;
    default:
        break;
    }
    s.strength = Percent(80 + 4.0 * r.levelDb + Jitter(nowMs, 1, 2));
    if (r.status == LockStatus::Locked) {
        s.locked = true;
        s.quality = Percent(88 + 5.0 * r.levelDb + Jitter(nowMs, 2, 2));
    }
    return s;
}

SignalStatistics Demodulator::Statistics()
{
    std::lock_guard guard(m_lock);
    const auto now = m_clock.NowMs();
    return StatisticsOf(Evaluate(now), now);
}

LockStatus Demodulator::Status()
{
    std::lock_guard guard(m_lock);
    return Evaluate(m_clock.NowMs()).status;
}

StreamInfo Demodulator::MediaInfo()
{
    std::lock_guard guard(m_lock);
    StreamInfo info{};
    const Reception r = Evaluate(m_clock.NowMs());
    if (r.status != LockStatus::Locked) {
        return info;
    }
    const Transponder& t = *r.transponder;
    const std::int64_t realLo = m_cable.HighBand() ? m_cable.Lnb().highMhz : m_cable.Lnb().lowMhz;
    info.ifFrequencyKhz = static_cast<std::uint32_t>((static_cast<std::int64_t>(t.frequencyMhz) - realLo) * 1000);
    info.symbolRate = t.symbolRateKsps * 1000u;
    info.modulation = static_cast<std::uint32_t>(ModulationIndex(t.modulation));
    info.spectrum = t.spectrumInverted ? 1u : 0u;
    if (t.system == DeliverySystem::DvbS) {
        // DVB-S has no baseband header: a single constant-coded transport
        // stream at roll-off 0.35, and no MATYPE bytes.
        info.standard = STREAMINFO_STANDARD_DVBS;
        info.codeRate = static_cast<std::uint32_t>(DvbsCodeRateIndex(t.fec).value_or(0));
        info.tsGs = STREAMINFO_TSGS_TRANSPORT;
        info.singleStream = 1;
        info.constantCoding = 1;
        info.rollOff = STREAMINFO_ROLLOFF_035;
        return info;
    }
    info.standard = STREAMINFO_STANDARD_DVBS2;
    info.modcod = static_cast<std::uint32_t>(Dvbs2Modcod(t.modulation, t.fec).value_or(0));
    info.tsGs = TsGsField(t.stream);
    info.singleStream = t.IsMultistream() ? 0u : 1u;
    info.constantCoding = t.adaptiveCoding ? 0u : 1u;
    info.issyi = t.issyi ? 1u : 0u;
    info.npd = t.npd ? 1u : 0u;
    info.rollOff = RollOffField(t.rollOff);
    info.inputStreamId = static_cast<std::uint32_t>(r.inputStreamId);
    // MATYPE-1 (EN 302 307, 5.1.6): TS/GS bits 7-6, SIS/MIS bit 5, CCM/ACM
    // bit 4, ISSYI bit 3, NPD bit 2, roll-off bits 1-0.
    info.matype1 = (info.tsGs << 6) | (info.singleStream << 5) | (info.constantCoding << 4) | (info.issyi << 3) |
        (info.npd << 2) | info.rollOff;
    info.matype2 = t.IsMultistream() ? static_cast<std::uint32_t>(r.inputStreamId) : 0u;
    info.pilots = t.pilots ? 1u : 0u;
    info.frame = t.shortFrame ? 1u : 0u;
    return info;
}

std::optional<LockedStream> Demodulator::CurrentStream()
{
    std::lock_guard guard(m_lock);
    const Reception r = Evaluate(m_clock.NowMs());
    if (r.status != LockStatus::Locked) {
        return std::nullopt;
    }
    LockedStream stream;
    stream.transponder = *r.transponder;
    stream.satelliteName = r.satellite->name;
    stream.inputStreamId = r.inputStreamId;
    stream.bitrate = UsefulBitrate(*r.transponder);
    // A transport stream comes out either way (a generic interface passes its
    // packets untouched); a generic stream only through the generic output.
    if (r.transponder->stream == StreamKind::Transport) {
        stream.output = OutputFormat::TransportStream;
    } else {
        stream.output = m_transportStream ? OutputFormat::None : OutputFormat::GenericStream;
    }
    return stream;
}

StreamTypeParams Demodulator::OutputStreamType()
{
    std::lock_guard guard(m_lock);
    return StreamTypeParams{static_cast<std::uint8_t>(m_transportStream ? 1 : 0),
                            static_cast<std::uint8_t>(m_transportStream ? 0 : 1)};
}

void Demodulator::SetOutputTransportStream(bool transportStream)
{
    std::lock_guard guard(m_lock);
    m_transportStream = transportStream;
}

void Demodulator::SetScrambling(std::uint32_t goldCode)
{
    std::lock_guard guard(m_lock);
    m_goldCode = goldCode;
}

std::uint32_t Demodulator::Scrambling()
{
    std::lock_guard guard(m_lock);
    return m_goldCode;
}

void Demodulator::SetModcodFilter(const ModcodFilter& accepted)
{
    std::lock_guard guard(m_lock);
    m_modcods = accepted;
}

void Demodulator::SetInputStreamId(int id)
{
    std::lock_guard guard(m_lock);
    m_inputStreamId = id;
}

double Demodulator::DishAngle()
{
    std::lock_guard guard(m_lock);
    return m_cable.Motor().Angle(m_clock.NowMs());
}

int Demodulator::SwitchPort()
{
    std::lock_guard guard(m_lock);
    return m_cable.Port();
}

} // namespace sim
