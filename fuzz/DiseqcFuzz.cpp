// The simulated DiSEqC message handling: any bytes split into messages, each
// read by the frame parser, put on an LNB cable directly and sent through the
// driver's two DiSEqC properties (the BDA raw message and the control set's
// tuning block) to a demodulator, as the program sends them; time passes in
// between so the dish moves.
//
// Input: per message a header byte (length 0 to 15, route), a time step byte,
// then the message bytes.
// Invariants: a parsed frame gives back exactly the bytes it came from and has
// the length its command calls for; the switch port stays A to D; the dish
// angle stays finite and inside the mount's end stops.
#include "fuzz/FuzzCheck.h"
#include "fuzz/StepClock.h"
#include "platform/driver/KavroProperties.h"
#include "sim/tuner/DiseqcFrame.h"
#include "sim/tuner/Driver.h"
#include "sim/tuner/LnbCable.h"
#include "sim/tuner/Sky.h"
#include "sim/world/DefaultWorld.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

void CheckParse(const std::uint8_t* bytes, std::size_t length)
{
    const sim::DiseqcParse parse = sim::ParseDiseqc(bytes, length);
    FUZZ_CHECK(parse.frame.has_value() == parse.error.empty());
    if (!parse.frame) return;
    const sim::DiseqcFrame& frame = *parse.frame;
    FUZZ_CHECK(frame.framing >= 0xE0 && frame.framing <= 0xE3);
    std::vector<std::uint8_t> again{frame.framing, frame.address, frame.command};
    again.insert(again.end(), frame.data.begin(), frame.data.end());
    FUZZ_CHECK(again.size() == length && std::memcmp(again.data(), bytes, length) == 0);
    if (const auto known = sim::DiseqcLengthOf(frame.command)) FUZZ_CHECK(*known == length);
}

void CheckDish(double angle, const sim::DishSettings& settings)
{
    FUZZ_CHECK(std::isfinite(angle));
    FUZZ_CHECK(std::fabs(angle) <= settings.hardLimit + 1e-9);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const sim::World world = sim::DefaultWorld();
    static const sim::Sky sky;
    if (world.tuners.empty()) return 0;
    const sim::TunerSpec& tuner = world.tuners.front();
    sim::CableSpec spec = world.CableOf(tuner);

    FuzzInput input(data, size);
    spec.motorActsOnRepeat = (input.Byte() & 1) != 0;
    StepClock clock;
    sim::LnbCable cable(spec, clock.NowMs());
    sim::Demodulator demodulator(sky, spec, world.site, clock);
    sim::Driver bda(demodulator, sim::PropertyModes(sim::TunerKind::Pcie));
    sim::Driver ctrl(demodulator, sim::PropertyModes(sim::TunerKind::Usb));

    for (int messages = 0; !input.Empty() && messages < 64; ++messages) {
        const std::uint8_t header = input.Byte();
        clock.Advance(static_cast<std::int64_t>(input.Byte()) * 250);
        const std::string_view text = input.Bytes(header & 0x0F);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());

        CheckParse(bytes, text.size());
        cable.Receive(bytes, text.size(), clock.NowMs());
        FUZZ_CHECK(cable.Port() >= 0 && cable.Port() <= 3);
        CheckDish(cable.Motor().Angle(clock.NowMs()), spec.motor);

        switch (header >> 6) {
        case 0: { // the raw message: a refused length changes nothing
            DiseqcMessage message{};
            std::memcpy(message.bytes, bytes, std::min(text.size(), sizeof message.bytes));
            message.length = static_cast<std::uint8_t>(text.size());
            const HRESULT hr = bda.Set(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_DISEQC, &message, sizeof message,
                                       &message, sizeof message);
            FUZZ_CHECK(SUCCEEDED(hr) == (text.size() >= 1 && text.size() <= sizeof message.bytes));
            break;
        }
        case 1: { // the tuning block: the command byte tells the length
            TuningBlock block{};
            std::memcpy(block.diseqcBytes, bytes, std::min(text.size(), sizeof block.diseqcBytes));
            FUZZ_CHECK(ctrl.Set(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC, nullptr, 0, &block, sizeof block) ==
                       S_OK);
            break;
        }
        default:
            demodulator.SendDiseqc(bytes, text.size());
            break;
        }
        FUZZ_CHECK(demodulator.SwitchPort() >= 0 && demodulator.SwitchPort() <= 3);
        CheckDish(demodulator.DishAngle(), spec.motor);
    }
    return 0;
}
