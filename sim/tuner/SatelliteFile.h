#pragma once
// Reading one satellite file: "[SATTYPE]" keys 1 (position code) and 2
// (name); "[DVB]" key 0 the transponder count and keys 1..n one transponder
// each:
//
//   frequency MHz,polarisation H|V|L|R,symbol rate kS/s,FEC[,system[,modulation]][,key=value...]
//
// system DVB-S (also S, S1, DVB-S1) or DVB-S2 (also S2), DVB-S when missing;
// modulation QPSK, 8PSK, 16APSK or 32APSK, QPSK when missing. Our own
// key=value fields follow in any order: isi=1;2;5, pls=root:N or gold:N,
// rolloff=0.35|0.25|0.20, pilots=on|off, frame=long|short, stream=ts|gp|gc,
// coding=ccm|acm, issyi=on|off, npd=on|off, inversion=on|off,
// services=Name One;Name Two.
//
// A line that cannot be read is skipped with a warning; nothing here fails.
#include "sim/tuner/IniText.h"
#include "sim/tuner/Satellite.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct TransponderParse {
    std::optional<Transponder> transponder;
    std::string error; // why the line was refused, when it was
};
TransponderParse ParseTransponderLine(std::string_view line);

struct SatelliteParse {
    std::optional<Satellite> satellite; // nothing without a readable position code
    std::vector<std::string> warnings;
};
// source names the file in warnings.
SatelliteParse ParseSatelliteFile(const IniText& file, std::string_view source);

} // namespace sim
