#pragma once
// The sky: every satellite of the satellite files in one folder. Read once
// when the simulated machine is installed; immutable afterwards, so any
// thread may read it.
#include "sim/tuner/Satellite.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sim {

class Sky {
public:
    Sky() = default;
    explicit Sky(std::vector<Satellite> satellites) : m_satellites(std::move(satellites)) {}

    // Reads every "*.ini" file (any case) of the folder in file-name order.
    // Unreadable files and lines are skipped and named in warnings; a
    // missing folder gives an empty sky.
    static Sky Load(const std::filesystem::path& folder, std::vector<std::string>* warnings = nullptr);

    const std::vector<Satellite>& Satellites() const { return m_satellites; }
    // The first satellite with this position code, or null.
    const Satellite* Find(int positionCode) const;

private:
    std::vector<Satellite> m_satellites;
};

} // namespace sim
