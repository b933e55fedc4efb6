#pragma once
// The motorised dish: a DiSEqC 1.2 positioner turning a polar mount at a
// finite speed. Angles are degrees, positive west (the sense of the goto-angle
// command); time is the caller's clock in milliseconds. Motion is worked out
// when asked for, from the time of the last command, so nothing runs in the
// background. Not thread-safe: its owner (the demodulator) serialises calls.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sim {

struct DishSettings {
    double angle = 0.0;      // degrees at start, positive west
    double speed = 1.5;      // degrees per second
    double step = 0.1;       // degrees per step
    double hardLimit = 80.0; // the mount's end stops, degrees either side
};

class Dish {
public:
    Dish(const DishSettings& settings, std::int64_t nowMs);

    double Angle(std::int64_t nowMs);
    bool Moving(std::int64_t nowMs);
    std::optional<double> EastLimit() const { return m_eastLimit; }
    std::optional<double> WestLimit() const { return m_westLimit; }

    // The positioner's commands. Each returns what it did, for the journal;
    // an empty text means it was refused and did nothing.
    std::string Halt(std::int64_t nowMs);
    std::string LimitsOff(std::int64_t nowMs);
    std::string SetEastLimit(std::int64_t nowMs);
    std::string SetWestLimit(std::int64_t nowMs);
    // data: 0 continuous, 1 to 127 seconds, 128 to 255 is 256 - data steps.
    std::string DriveEast(std::uint8_t data, std::int64_t nowMs);
    std::string DriveWest(std::uint8_t data, std::int64_t nowMs);
    // Positions 1 to 255 hold angles; position 0 is the reference, 0 degrees,
    // and cannot be stored.
    std::string Store(std::uint8_t position, std::int64_t nowMs);
    std::string Goto(std::uint8_t position, std::int64_t nowMs);
    std::string GotoAngle(double angle, std::int64_t nowMs);

private:
    // Brings the angle up to now; ends a motion that reached its end.
    void Advance(std::int64_t nowMs);
    std::string Drive(int direction, std::uint8_t data, std::int64_t nowMs);
    std::string MoveTo(double target, std::int64_t nowMs);
    // How far the dish may go in this direction from here.
    double Bound(int direction) const;

    DishSettings m_settings;
    double m_angle;
    std::int64_t m_time;
    int m_direction = 0;                 // -1 east, +1 west, 0 still
    std::optional<double> m_target;      // stop here
    std::optional<std::int64_t> m_until; // stop at this time
    std::optional<double> m_eastLimit;
    std::optional<double> m_westLimit;
    std::array<std::optional<double>, 256> m_positions{};
};

} // namespace sim
