#include "sim/world/World.h"

#include <algorithm>
#include <cctype>

namespace sim {

CableSpec World::CableOf(const TunerSpec& tuner) const
{
    std::string key = tuner.cable;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    const auto it = cables.find(key);
    return it != cables.end() ? it->second : CableSpec{};
}

} // namespace sim
