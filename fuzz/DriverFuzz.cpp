// The simulated driver's property handlers: any sequence of QuerySupported, Get
// and Set calls on one driver, with any property set (both private sets and a
// GUID from the input), any id, instance and value sizes and bytes, over a
// demodulator and cable built as the simulator builds them from its default
// world and the shipped sky; tune requests and the passing of time in between.
//
// Input: one byte choosing the tuner of the default world, a few property
// modes, then calls until the input ends (see Step).
// Invariants: a success is S_OK, or S_FALSE for a property the world makes
// answer positive; a failed Set changes nothing the demodulator shows; a Get
// never reports more bytes than the buffer holds; a stream type or scrambling
// code set is what the demodulator then holds; an unsupported property fails
// its support query; an unknown set is refused as such.
#include "fuzz/FuzzCheck.h"
#include "fuzz/StepClock.h"
#include "platform/driver/KavroProperties.h"
#include "sim/tuner/Driver.h"
#include "sim/tuner/ScramblingCode.h"
#include "sim/tuner/Sky.h"
#include "sim/world/DefaultWorld.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

const sim::Sky& ShippedSky()
{
    static const sim::Sky sky = sim::Sky::Load(KAVRO_SOURCE_DIR "/data/Transponders");
    return sky;
}

// Everything a caller can see of the demodulator, to compare around a call.
struct Observed {
    std::uint32_t scrambling;
    StreamTypeParams streamType;
    StreamInfo info;
    int port;
    double angle;
    sim::LockStatus status;

    static Observed Of(sim::Demodulator& d)
    {
        return {d.Scrambling(), d.OutputStreamType(), d.MediaInfo(), d.SwitchPort(), d.DishAngle(), d.Status()};
    }
    bool operator==(const Observed& o) const
    {
        return scrambling == o.scrambling && std::memcmp(&streamType, &o.streamType, sizeof streamType) == 0 &&
            std::memcmp(&info, &o.info, sizeof info) == 0 && port == o.port && angle == o.angle && status == o.status;
    }
};

struct Call {
    GUID set;
    sim::PropertySet known = sim::PropertySet::Bda;
    bool isKnown = true;
    DWORD id = 0;
};

Call PickProperty(FuzzInput& input)
{
    Call call;
    const std::uint8_t which = input.Byte();
    switch (which % 4) {
    case 0:
        call.set = KSPROPSETID_BDA_EXTENSION;
        break;
    case 1:
        call.set = KSPROPSETID_CTRL_EXTENSION;
        call.known = sim::PropertySet::Ctrl;
        break;
    case 2: // a set from the input
    {
        // The set's bytes as they lie in memory.
        std::uint8_t bytes[sizeof(GUID)] = {};
        const std::string_view given = input.Bytes(sizeof bytes);
        std::memcpy(bytes, given.data(), given.size());
        std::memcpy(&call.set, bytes, sizeof bytes);
    }
        call.isKnown = call.set == KSPROPSETID_BDA_EXTENSION || call.set == KSPROPSETID_CTRL_EXTENSION;
        call.known = call.set == KSPROPSETID_CTRL_EXTENSION ? sim::PropertySet::Ctrl : sim::PropertySet::Bda;
        break;
    default:
        call.set = GUID_NULL;
        call.isKnown = false;
        break;
    }
    // Mostly the ids the sets use, now and then any id at all.
    call.id = (which & 0x80) ? input.Word() : input.Byte() % 32;
    return call;
}

// A size: the payload sizes the driver knows, one off them, or any.
DWORD PickSize(FuzzInput& input)
{
    static const DWORD kSizes[] = {0, 1, 2, 11, 71, 72, 73, 263, 264, 288, 1347, 1348, 1349, 4096};
    const std::uint8_t which = input.Byte();
    if (which < 0xF0) return kSizes[which % std::size(kSizes)];
    return input.Word() % 8192;
}

// A buffer of exactly the size, so a read or write past it is an
// AddressSanitizer report; null when the input says so.
struct Payload {
    std::unique_ptr<std::uint8_t[]> bytes;
    DWORD size = 0;
};
Payload PickPayload(FuzzInput& input)
{
    Payload payload;
    payload.size = PickSize(input);
    const std::uint8_t flags = input.Byte();
    if ((flags & 0x0F) == 0x0F) return payload; // null pointer, the size as given
    payload.bytes = std::make_unique<std::uint8_t[]>(payload.size ? payload.size : 1);
    const std::string_view bytes = input.Bytes(payload.size);
    std::memcpy(payload.bytes.get(), bytes.data(), bytes.size());
    return payload;
}

class Session {
public:
    Session(const sim::TunerSpec& tuner, const sim::World& world, sim::PropertyModes modes)
        : m_modes(modes),
          m_demodulator(ShippedSky(), world.CableOf(tuner), world.site, m_clock),
          m_driver(m_demodulator, modes)
    {}

    void Step(FuzzInput& input)
    {
        switch (input.Byte() % 6) {
        case 0:
            Query(input);
            break;
        case 1:
            Get(input);
            break;
        case 2:
        case 3:
            Set(input);
            break;
        case 4:
            Tune(input);
            break;
        default:
            m_clock.Advance(static_cast<std::int64_t>(input.Word() % 600'000));
            break;
        }
    }

private:
    sim::PropertyMode ModeOf(const Call& call) const { return m_modes.Mode(call.known, call.id); }

    void CheckResult(const Call& call, HRESULT hr) const
    {
        if (!call.isKnown) FUZZ_CHECK(hr == sim::kPropSetUnsupported);
        if (call.isKnown && ModeOf(call) == sim::PropertyMode::Unsupported) {
            FUZZ_CHECK(hr == sim::kPropIdUnsupported);
        }
        if (SUCCEEDED(hr)) {
            FUZZ_CHECK(hr == (ModeOf(call) == sim::PropertyMode::Positive ? S_FALSE : S_OK));
        }
    }

    void Query(FuzzInput& input)
    {
        const Call call = PickProperty(input);
        DWORD support = 0xDEADBEEF;
        const bool null = (input.Byte() & 0x0F) == 0x0F;
        const HRESULT hr = m_driver.QuerySupported(call.set, call.id, null ? nullptr : &support);
        if (!call.isKnown) FUZZ_CHECK(hr == sim::kPropSetUnsupported);
        if (call.isKnown && ModeOf(call) == sim::PropertyMode::Unsupported) FUZZ_CHECK(FAILED(hr));
        if (SUCCEEDED(hr)) {
            FUZZ_CHECK(hr == S_OK && !null);
            FUZZ_CHECK(support != 0 && (support & ~(sim::kSupportGet | sim::kSupportSet)) == 0);
        }
    }

    void Get(FuzzInput& input)
    {
        const Call call = PickProperty(input);
        const Payload instance = PickPayload(input);
        const Payload value = PickPayload(input);
        DWORD returned = 0xDEADBEEF;
        const HRESULT hr = m_driver.Get(call.set, call.id, instance.bytes.get(), instance.size, value.bytes.get(),
                                        value.size, &returned);
        CheckResult(call, hr);
        if (SUCCEEDED(hr)) FUZZ_CHECK(returned <= value.size);
    }

    void Set(FuzzInput& input)
    {
        const Call call = PickProperty(input);
        const Payload instance = PickPayload(input);
        const Payload value = PickPayload(input);
        const Observed before = Observed::Of(m_demodulator);
        const HRESULT hr =
            m_driver.Set(call.set, call.id, instance.bytes.get(), instance.size, value.bytes.get(), value.size);
        CheckResult(call, hr);
        if (FAILED(hr)) {
            FUZZ_CHECK(Observed::Of(m_demodulator) == before);
            return;
        }
        // What was set is what the demodulator now holds.
        if (call.id == KSPROPERTY_BDA_STREAMTYPE_PARAMS && call.known == sim::PropertySet::Bda) {
            StreamTypeParams params{};
            std::memcpy(&params, value.bytes.get(), sizeof params);
            const StreamTypeParams now = m_demodulator.OutputStreamType();
            FUZZ_CHECK((now.ts != 0) == (params.ts != 0) && (now.gs != 0) == (params.gs != 0));
        }
        if (call.id == KSPROPERTY_BDA_GOLDCODE || call.id == KSPROPERTY_CTRL_GOLDCODE) {
            GoldCodeParams params{};
            std::memcpy(&params, value.bytes.get(), sizeof params);
            const std::uint32_t code = static_cast<std::uint32_t>(static_cast<std::int32_t>(params.code));
            const std::uint32_t gold = params.codeType == GOLDCODE_TYPE_GOLD ? code : sim::RootToGold(code);
            FUZZ_CHECK(m_demodulator.Scrambling() == gold);
        }
    }

    void Tune(FuzzInput& input)
    {
        sim::TuneRequest request;
        const auto& satellites = ShippedSky().Satellites();
        const std::uint8_t which = input.Byte();
        if (which < 0xC0 && !satellites.empty()) {
            // A transponder of the sky, as the program tunes it: most inputs then lock.
            const auto& satellite = satellites[which % satellites.size()];
            if (satellite.transponders.empty()) return;
            const auto& t = satellite.transponders[input.Byte() % satellite.transponders.size()];
            request.frequencyKhz = t.frequencyMhz * 1000;
            request.symbolRateKsps = t.symbolRateKsps;
            request.polarisation = static_cast<int>(t.polarisation) + 1;
            request.lnbLowKhz = 9'750'000;
            request.lnbHighKhz = 10'600'000;
            request.lnbSwitchKhz = 11'700'000;
        } else {
            request.frequencyKhz = input.Word();
            request.symbolRateKsps = input.Word();
            request.polarisation = static_cast<int>(input.Byte()) - 16;
            request.lnbLowKhz = input.Word();
            request.lnbHighKhz = input.Word();
            request.lnbSwitchKhz = input.Word();
        }
        FUZZ_CHECK(m_demodulator.Tune(request) == S_OK);
    }

    sim::PropertyModes m_modes;
    StepClock m_clock;
    sim::Demodulator m_demodulator;
    sim::Driver m_driver;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const sim::World world = sim::DefaultWorld();
    FuzzInput input(data, size);
    if (world.tuners.empty()) return 0;
    const sim::TunerSpec& tuner = world.tuners[input.Byte() % world.tuners.size()];

    sim::PropertyModes modes = tuner.modes;
    for (int count = input.Byte() % 4; count > 0; --count) {
        const auto set = (input.Byte() & 1) ? sim::PropertySet::Ctrl : sim::PropertySet::Bda;
        const ULONG id = input.Byte() % 32;
        modes.Set(set, id, static_cast<sim::PropertyMode>(input.Byte() % 4));
    }

    Session session(tuner, world, modes);
    for (int steps = 0; !input.Empty() && steps < 64; ++steps) session.Step(input);
    return 0;
}
