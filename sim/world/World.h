#pragma once
// The simulated machine as a world file describes it: which tuners exist, in
// what order and under which names, what each driver answers, which system
// components are missing, what hangs on each LNB cable, where the dish
// stands and where the sky's satellite files lie.
#include "sim/tuner/CableSpec.h"
#include "sim/tuner/MotorGeometry.h"
#include "sim/tuner/PropertyModes.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct TunerSpec {
    std::string section;             // "N72B" for [Tuner.N72B]
    std::optional<std::string> name; // friendly name; none: the name cannot be read
    TunerKind kind = TunerKind::Pcie;
    std::string inputPin = "Input0";
    bool filterKs = true;   // the tuner filter offers IKsPropertySet
    bool pinKs = true;      // the input pin offers IKsPropertySet
    bool capture = true;    // a receiver component connects to this tuner
    bool topology = true;   // the tuner offers its broadcast topology
    bool statistics = true; // the topology's control node offers signal statistics
    std::string cable = "Home";
    PropertyModes modes{TunerKind::Pcie};
};

struct World {
    std::vector<TunerSpec> tuners; // in enumeration order
    Site site;
    std::string sky = "Transponders"; // absolute, or relative to the program's folder
    bool demultiplexer = true;
    bool tee = true;
    bool networkProvider = true;
    bool tuningSpaceStore = true;
    bool transportInformation = true;
    std::uint32_t deviceRemovalAfterMs = 0;  // 0: never
    std::map<std::string, CableSpec> cables; // by section suffix, upper-cased

    // What was wrong with the file; each made a value take its default.
    std::vector<std::string> warnings;

    // The tuner's cable; a cable the world does not describe has nothing on it.
    CableSpec CableOf(const TunerSpec& tuner) const;
};

} // namespace sim
