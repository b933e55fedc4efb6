#pragma once
// The world the simulator runs without KAVRO_SIM: one tuner of each Kavro
// model, each on a cable with fixed LNBs on 19.2E (port A) and 13.0E
// (port B) and a motorised dish (port C), a site in central Europe, and the
// sky of the satellite files shipped beside the program.
#include "sim/world/World.h"

#include <string_view>

namespace sim {

// The default world in world-file form.
std::string_view DefaultWorldText();
World DefaultWorld();

} // namespace sim
