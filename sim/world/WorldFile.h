#pragma once
// Reading a world file (the file KAVRO_SIM names): a private-profile file in
// which a value may end in a " ; comment". Unknown keys are ignored; a
// missing or unreadable value takes its default and leaves a warning. The
// format is documented in docs/simulator.md.
#include "sim/tuner/IniText.h"
#include "sim/world/World.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

World ParseWorld(const IniText& file);
World ParseWorldText(std::string_view text);

// The world in this file; nothing (and the reason in error) when the file
// cannot be read.
std::optional<World> LoadWorldFile(const std::filesystem::path& file, std::string* error);

} // namespace sim
