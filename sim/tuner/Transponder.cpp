#include "sim/tuner/Transponder.h"

namespace sim {

bool NeedsHorizontalVoltage(Polarisation polarisation)
{
    return polarisation == Polarisation::Horizontal || polarisation == Polarisation::Left;
}

const char* PolarisationLetter(Polarisation polarisation)
{
    switch (polarisation) {
    case Polarisation::Horizontal:
        return "H";
    case Polarisation::Vertical:
        return "V";
    case Polarisation::Left:
        return "L";
    case Polarisation::Right:
        return "R";
    }
    return "?";
}

} // namespace sim
