#pragma once
// A small sky for the tuner tests: 19.2E with DVB-S, DVB-S2 and a scrambled
// multistream transponder, and 13.0E with one DVB-S transponder.
#include "sim/tuner/SatelliteFile.h"
#include "sim/tuner/Sky.h"

#include <stdexcept>

inline constexpr const char* kAstraFile = R"([SATTYPE]
1=0192
2=Astra 1 (19.2E)
[DVB]
0=4
1=11494,H,22000,23,S2,8PSK,pilots=on,rolloff=0.20
2=12187,H,27500,34,DVB-S,QPSK,services=Das Erste;ZDF
3=11538,V,22000,56,DVB-S
4=12603,V,30000,34,S2,8PSK,isi=3;5;7,pls=gold:8,rolloff=0.25,frame=short,pilots=on,inversion=on,npd=on
)";

inline constexpr const char* kHotbirdFile = R"([SATTYPE]
1=0130
2=Hotbird (13.0E)
[DVB]
0=1
1=11034,V,27500,34,DVB-S,QPSK
)";

inline sim::Satellite SatelliteFrom(const char* text)
{
    auto parsed = sim::ParseSatelliteFile(sim::IniText(text), "test");
    if (!parsed.satellite) throw std::runtime_error("test satellite does not parse");
    return *parsed.satellite;
}

inline sim::Sky TestSky() { return sim::Sky({SatelliteFrom(kAstraFile), SatelliteFrom(kHotbirdFile)}); }
