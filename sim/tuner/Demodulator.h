#pragma once
// The demodulator of one simulated tuner, with the LNB cable behind it. It
// takes tune requests and DiSEqC messages, keeps the DVB-S2 options the
// driver sets (scrambling sequence, MODCOD filter, input stream, output
// stream type), and tells at any moment whether a transponder of the sky is
// locked, how strong and clean the signal is, and what the stream is.
//
// Thread-safe: the driver (user-interface and monitor threads), the network
// provider and the capture filter's streaming thread call it at once; one
// lock guards the whole state. The sky and the clock outlive it.
#include "platform/com/Hresult.h"
#include "platform/driver/KavroProperties.h"
#include "sim/tuner/CableSpec.h"
#include "sim/tuner/LnbCable.h"
#include "sim/tuner/MotorGeometry.h"
#include "sim/tuner/SimClock.h"
#include "sim/tuner/Sky.h"

#include <bitset>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace sim {

// What the network provider hands the tuner: the locator's carrier frequency
// and symbol rate, its polarisation, and the tuning space's LNB frequencies.
struct TuneRequest {
    std::uint32_t frequencyKhz = 0;
    std::uint32_t symbolRateKsps = 0; // as the locator carries it
    int polarisation = 0;             // 1 linear horizontal, 2 linear vertical, 3 circular left, 4 circular right
    std::uint32_t lnbLowKhz = 0;
    std::uint32_t lnbHighKhz = 0;
    std::uint32_t lnbSwitchKhz = 0;
};

// Why the demodulator is not locked, or that it is.
enum class LockStatus {
    Locked,
    NotTuned,
    NoSatellite,   // the port is empty, or nothing lies where the dish looks
    NoTransponder, // nothing within the capture range at this band and polarisation
    WeakSignal,    // the dish points too far off the satellite
    SymbolRate,
    Scrambling,
    InputStream,
    Modcod,
};
const char* LockStatusName(LockStatus status);

struct SignalStatistics {
    int strength = 0; // 0 to 100
    int quality = 0;  // 0 to 100, 0 while unlocked
    bool locked = false;
};

// What the card outputs while locked.
enum class OutputFormat { None, TransportStream, GenericStream };

// The locked stream, for the capture filter's generator.
struct LockedStream {
    Transponder transponder;
    std::string satelliteName;
    int inputStreamId = 0;
    OutputFormat output = OutputFormat::None;
    double bitrate = 0.0; // bits per second
};

// The MODCOD filter: bit (modcod - 1) * 4 + pilots * 2 + short frame.
using ModcodFilter = std::bitset<112>;
std::size_t ModcodFilterBit(int modcod, bool pilots, bool shortFrame);

class Demodulator {
public:
    Demodulator(const Sky& sky, const CableSpec& cable, const Site& site, const SimClock& clock);

    // Takes the new parameters; the lock follows from them. Always S_OK.
    HRESULT Tune(const TuneRequest& request);
    void SendDiseqc(const std::uint8_t* bytes, std::size_t length);
    // A tune as a DVB frontend makes it: the intermediate frequency itself,
    // with the LNB's tone and voltage set apart (SetTone, SetVoltage) and
    // left as they are. Always S_OK.
    HRESULT TuneIntermediate(std::uint32_t ifKhz, std::uint32_t symbolRateKsps);
    void SetTone(bool highBand);
    void SetVoltage(bool horizontal);
    // No input stream chosen: a multistream signal gives its first.
    void AnyInputStream();

    SignalStatistics Statistics();
    LockStatus Status();
    // The media information record; all zero while unlocked.
    StreamInfo MediaInfo();
    std::optional<LockedStream> CurrentStream();

    StreamTypeParams OutputStreamType();
    // true: transport stream; false: generic stream.
    void SetOutputTransportStream(bool transportStream);
    // Gold code index of the physical-layer scrambling sequence.
    void SetScrambling(std::uint32_t goldCode);
    std::uint32_t Scrambling();
    void SetModcodFilter(const ModcodFilter& accepted);
    void SetInputStreamId(int id);

    double DishAngle();
    int SwitchPort();

    // The clock the hardware runs on; the capture filter paces its stream by it.
    const SimClock& Clock() const { return m_clock; }

private:
    struct Reception {
        LockStatus status = LockStatus::NotTuned;
        const Satellite* satellite = nullptr;
        const Transponder* transponder = nullptr;
        double levelDb = -100.0; // signal level relative to a dish aimed right at the satellite
        int inputStreamId = 0;
    };
    Reception Evaluate(std::int64_t nowMs);
    // The satellite this port sees and how far off the dish aims, degrees.
    const Satellite* Seen(std::int64_t nowMs, double* pointingError);
    SignalStatistics StatisticsOf(const Reception& reception, std::int64_t nowMs) const;

    const Sky& m_sky;
    const Site m_site;
    const SimClock& m_clock;

    std::mutex m_lock;
    LnbCable m_cable;
    std::optional<TuneRequest> m_tune;
    bool m_transportStream = true;
    std::uint32_t m_goldCode = 0;
    ModcodFilter m_modcods;
    std::optional<int> m_inputStreamId;
};

} // namespace sim
