#include "sim/tuner/Dish.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sim {

namespace {

std::string Degrees(double angle)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", angle);
    return text;
}

} // namespace

Dish::Dish(const DishSettings& settings, std::int64_t nowMs)
    : m_settings(settings),
      m_angle(std::clamp(settings.angle, -settings.hardLimit, settings.hardLimit)),
      m_time(nowMs)
{
    if (!(m_settings.speed > 0.0)) {
        m_settings.speed = 1.5;
    }
    if (!(m_settings.step > 0.0)) {
        m_settings.step = 0.1;
    }
}

double Dish::Bound(int direction) const
{
    // A limit stops motion towards it; a dish already beyond a limit may
    // come back but never go further out.
    if (direction > 0) {
        double bound = m_settings.hardLimit;
        if (m_westLimit) bound = std::min(bound, std::max(*m_westLimit, m_angle));
        return bound;
    }
    double bound = -m_settings.hardLimit;
    if (m_eastLimit) bound = std::max(bound, std::min(*m_eastLimit, m_angle));
    return bound;
}

void Dish::Advance(std::int64_t nowMs)
{
    if (nowMs <= m_time) {
        return;
    }
    if (m_direction == 0) {
        m_time = nowMs;
        return;
    }
    std::int64_t end = nowMs;
    if (m_until) {
        end = std::min(end, *m_until);
    }
    const double travel = m_settings.speed * static_cast<double>(std::max<std::int64_t>(0, end - m_time)) / 1000.0;
    double stop = Bound(m_direction);
    if (m_target) {
        stop = m_direction > 0 ? std::min(stop, *m_target) : std::max(stop, *m_target);
    }
    const double wanted = m_angle + m_direction * travel;
    const bool reached = m_direction > 0 ? wanted >= stop : wanted <= stop;
    m_angle = reached ? stop : wanted;
    if (reached || (m_until && nowMs >= *m_until)) {
        m_direction = 0;
        m_target.reset();
        m_until.reset();
    }
    m_time = nowMs;
}

double Dish::Angle(std::int64_t nowMs)
{
    Advance(nowMs);
    return m_angle;
}

bool Dish::Moving(std::int64_t nowMs)
{
    Advance(nowMs);
    return m_direction != 0;
}

std::string Dish::Halt(std::int64_t nowMs)
{
    Advance(nowMs);
    m_direction = 0;
    m_target.reset();
    m_until.reset();
    return "halt at " + Degrees(m_angle);
}

std::string Dish::LimitsOff(std::int64_t nowMs)
{
    Advance(nowMs);
    m_eastLimit.reset();
    m_westLimit.reset();
    return "limits off";
}

std::string Dish::SetEastLimit(std::int64_t nowMs)
{
    Advance(nowMs);
    m_eastLimit = m_angle;
    return "east limit " + Degrees(m_angle);
}

std::string Dish::SetWestLimit(std::int64_t nowMs)
{
    Advance(nowMs);
    m_westLimit = m_angle;
    return "west limit " + Degrees(m_angle);
}

std::string Dish::Drive(int direction, std::uint8_t data, std::int64_t nowMs)
{
    Advance(nowMs);
    const char* way = direction > 0 ? "west" : "east";
    if (data >= 0x80) {
        const int steps = 256 - data;
        // Steps add to steps still under way, as the motor counts its pulses.
        const double from = (m_direction == direction && m_target) ? *m_target : m_angle;
        MoveTo(from + direction * steps * m_settings.step, nowMs);
        return std::string("drive ") + way + " " + std::to_string(steps) + (steps == 1 ? " step" : " steps");
    }
    m_direction = direction;
    m_target.reset();
    m_until.reset();
    if (data == 0) {
        return std::string("drive ") + way + " continuously";
    }
    m_until = nowMs + static_cast<std::int64_t>(data) * 1000;
    return std::string("drive ") + way + " for " + std::to_string(data) + " s";
}

std::string Dish::DriveEast(std::uint8_t data, std::int64_t nowMs) { return Drive(-1, data, nowMs); }
std::string Dish::DriveWest(std::uint8_t data, std::int64_t nowMs) { return Drive(+1, data, nowMs); }

std::string Dish::MoveTo(double target, std::int64_t nowMs)
{
    Advance(nowMs);
    m_until.reset();
    if (target == m_angle) {
        m_direction = 0;
        m_target.reset();
    } else {
        m_direction = target > m_angle ? +1 : -1;
        m_target = target;
    }
    return "goto " + Degrees(target);
}

std::string Dish::Store(std::uint8_t position, std::int64_t nowMs)
{
    Advance(nowMs);
    if (position == 0) {
        return {};
    }
    m_positions[position] = m_angle;
    return "store " + std::to_string(position) + " at " + Degrees(m_angle);
}

std::string Dish::Goto(std::uint8_t position, std::int64_t nowMs)
{
    if (position == 0) {
        return MoveTo(0.0, nowMs) + " (reference)";
    }
    if (!m_positions[position]) {
        return {};
    }
    return MoveTo(*m_positions[position], nowMs) + " (position " + std::to_string(position) + ")";
}

std::string Dish::GotoAngle(double angle, std::int64_t nowMs)
{
    if (!std::isfinite(angle)) {
        return {};
    }
    return MoveTo(angle, nowMs);
}

} // namespace sim
