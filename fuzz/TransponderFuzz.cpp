// The simulator's transponder fields: the input as one transponder line and as
// a whole satellite file.
//
// Invariants: a line is either read or refused with a reason, never both; what
// is read lies in the format's ranges and is a transmission DVB-S or DVB-S2
// defines (so its useful bitrate is a positive finite number); a satellite file
// yields at most a satellite with a valid position code whose every
// transponder carries a service.
#include "fuzz/FuzzCheck.h"
#include "sim/tuner/Modcod.h"
#include "sim/tuner/SatelliteFile.h"
#include "sim/tuner/ScramblingCode.h"
#include "sim/tuner/UsefulBitrate.h"

#include <cmath>

namespace {

void CheckTransponder(const sim::Transponder& t)
{
    FUZZ_CHECK(t.frequencyMhz >= 1000 && t.frequencyMhz <= 30000);
    FUZZ_CHECK(t.symbolRateKsps >= 100 && t.symbolRateKsps <= 100000);
    FUZZ_CHECK(t.goldCode <= sim::kMaxGoldCode);
    for (const int id : t.inputStreams) FUZZ_CHECK(id >= 0 && id <= 255);
    for (const auto& service : t.services) FUZZ_CHECK(service.size() <= 64);
    if (t.system == sim::DeliverySystem::DvbS2) {
        FUZZ_CHECK(sim::Dvbs2Modcod(t.modulation, t.fec).has_value());
    } else {
        FUZZ_CHECK(sim::DvbsCodeRateIndex(t.fec).has_value());
    }
    const double bitrate = sim::UsefulBitrate(t);
    FUZZ_CHECK(std::isfinite(bitrate) && bitrate > 0.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const sim::TransponderParse line = sim::ParseTransponderLine(text);
    FUZZ_CHECK(line.transponder.has_value() == line.error.empty());
    if (line.transponder) CheckTransponder(*line.transponder);

    const sim::SatelliteParse file = sim::ParseSatelliteFile(sim::IniText(text), "fuzz.ini");
    if (file.satellite) {
        FUZZ_CHECK(file.satellite->positionCode >= 0 && file.satellite->positionCode <= 3599);
        const double longitude = file.satellite->LongitudeDegrees();
        FUZZ_CHECK(longitude > -180.0 && longitude <= 180.0);
        for (const auto& transponder : file.satellite->transponders) {
            CheckTransponder(transponder);
            FUZZ_CHECK(!transponder.services.empty());
        }
    }
    return 0;
}
