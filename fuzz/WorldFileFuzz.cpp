// The simulator's world file: any bytes as the file KAVRO_SIM names.
//
// Invariants: every value the reader keeps lies in the range the format allows
// (a value outside it takes its default with a warning); every listed tuner
// has its cable; reading is deterministic; a demodulator can be built on each
// cable, as the simulator builds one per tuner.
#include "fuzz/FuzzCheck.h"
#include "sim/tuner/Demodulator.h"
#include "sim/tuner/Sky.h"
#include "sim/world/WorldFile.h"

#include <cmath>

namespace {

class FixedClock final : public sim::SimClock {
public:
    std::int64_t NowMs() const override { return 1'000'000; }
};

void CheckCable(const sim::CableSpec& cable)
{
    FUZZ_CHECK(cable.lnb.lowMhz <= 30000 && cable.lnb.highMhz <= 30000 && cable.lnb.switchMhz <= 30000);
    FUZZ_CHECK(cable.defaultPort >= 0 && cable.defaultPort <= 3);
    for (const auto& port : cable.ports) {
        if (port.kind == sim::PortKind::FixedLnb) FUZZ_CHECK(port.positionCode >= 0 && port.positionCode <= 3599);
    }
    FUZZ_CHECK(std::isfinite(cable.motor.angle) && std::fabs(cable.motor.angle) <= 80.0);
    FUZZ_CHECK(cable.motor.speed >= 0.01 && cable.motor.speed <= 100.0);
    FUZZ_CHECK(cable.motor.step >= 0.001 && cable.motor.step <= 10.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sim::World world = sim::ParseWorldText(text);

    FUZZ_CHECK(world.tuners.size() <= 64);
    FUZZ_CHECK(std::isfinite(world.site.latitude) && std::fabs(world.site.latitude) <= 90.0);
    FUZZ_CHECK(std::isfinite(world.site.longitude) && std::fabs(world.site.longitude) <= 180.0);
    FUZZ_CHECK(world.deviceRemovalAfterMs <= 24u * 3600u * 1000u);
    for (const auto& tuner : world.tuners) {
        FUZZ_CHECK(!tuner.section.empty());
        CheckCable(world.CableOf(tuner));
    }
    for (const auto& [name, cable] : world.cables) CheckCable(cable);

    const sim::World again = sim::ParseWorldText(text);
    FUZZ_CHECK(again.tuners.size() == world.tuners.size() && again.warnings == world.warnings);

    static const sim::Sky sky;
    static const FixedClock clock;
    for (std::size_t i = 0; i < world.tuners.size() && i < 4; ++i) {
        sim::Demodulator demodulator(sky, world.CableOf(world.tuners[i]), world.site, clock);
        FUZZ_CHECK(demodulator.SwitchPort() == world.CableOf(world.tuners[i]).defaultPort);
        FUZZ_CHECK(std::isfinite(demodulator.DishAngle()));
        (void)demodulator.Status();
    }
    return 0;
}
