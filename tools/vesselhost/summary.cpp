#include "tools/vesselhost/summary.h"

#include <cmath>
#include <cstdarg>
#include <numbers>

#include <nlohmann/json.hpp>

#include "host/physics/portable_math.h"
#include "host/scenario/scenario.h"
#include "tools/vesselhost/channel_names.h"

namespace vesselhost {

namespace {

// The left rear door leaf runs over the second half of the door sequence, so its
// state 1 means open and 0 closed.
constexpr char kDoorAnimation[] = "door_left";

// printf into the end of a string.
[[gnu::format(printf, 2, 3)]] void Append(std::string &out, const char *format, ...)
{
    char text[512];
    std::va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0)
        return;
    if (std::size_t(length) < sizeof text) {
        out.append(text, std::size_t(length));
        return;
    }
    std::string longer(std::size_t(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(longer.data(), longer.size(), format, args);
    va_end(args);
    out.append(longer.data(), std::size_t(length));
}

} // namespace

RunSummary::RunSummary(const std::vector<std::unique_ptr<host::Vessel>> &vessels)
{
    for (const auto &vessel : vessels) {
        if (vessel->id < 0)
            continue;
        if (std::size_t(vessel->id) >= stats_.size())
            stats_.resize(vessel->id + 1);
        VesselStats &s = stats_[vessel->id];
        s.startX = s.lastX = vessel->motion.x;
        s.startZ = s.lastZ = vessel->motion.z;
        s.doorAnimation = AnimationIndex(*vessel, kDoorAnimation);
    }
}

void RunSummary::KeyPassed(const host::Vessel &vessel, unsigned scanCode)
{
    if (vessel.id >= 0 && std::size_t(vessel.id) < stats_.size())
        ++stats_[vessel.id].keysPassed[host::KeyName(scanCode)];
}

void RunSummary::SoundPlayed(int vessel, int slot)
{
    if (vessel < 0 || std::size_t(vessel) >= stats_.size())
        return;
    VesselStats &s = stats_[vessel];
    ++s.sounds;
    ++s.soundsBySlot[slot];
}

void RunSummary::Update(VesselStats &s, const host::Vessel &vessel, double stepStart,
                        double stepEnd, std::vector<Note> &notes)
{
    s.distance += host::ground::Hypot(vessel.motion.x - s.lastX, vessel.motion.z - s.lastZ);
    s.lastX = vessel.motion.x;
    s.lastZ = vessel.motion.z;
    s.topSpeed = std::max(s.topSpeed, vessel.readings.airspeed);

    // Until the engine runs, the vehicle holds every thruster at zero thrust.
    if (!s.engineStart) [[unlikely]] {
        for (const host::Thruster &thruster : vessel.thrusters)
            if (thruster.max0 > 0)
                s.engineStart = stepStart;
        if (s.engineStart)
            notes.push_back({stepStart, vessel.name + ": engine started"});
    }

    if (s.doorAnimation >= 0) {
        double state = vessel.animations[s.doorAnimation].state;
        if (state >= 1 && s.doorState < 1) {
            ++s.doorsOpened;
            notes.push_back({stepEnd, vessel.name + ": rear doors open"});
        } else if (state <= 0 && s.doorState > 0) {
            ++s.doorsClosed;
            notes.push_back({stepEnd, vessel.name + ": rear doors closed"});
        }
        s.doorState = state;
    }
}

const VesselStats *RunSummary::StatsOf(const host::Vessel &vessel) const
{
    if (vessel.id < 0 || std::size_t(vessel.id) >= stats_.size())
        return nullptr;
    return &stats_[vessel.id];
}

std::string RunSummary::Text(const host::Vessel &vessel) const
{
    const VesselStats *stats = StatsOf(vessel);
    if (!stats)
        return {};
    const VesselStats &s = *stats;
    std::string out;
    Append(out, "%s (%s)\n", vessel.name.c_str(), vessel.className.c_str());
    Append(out, "  distance       %.1f m, from (%.1f, %.1f) to (%.1f, %.1f), heading %.1f deg\n",
           s.distance, s.startX, s.startZ, vessel.motion.x, vessel.motion.z,
           vessel.motion.heading * 180 / std::numbers::pi);
    Append(out, "  top speed      %.2f m/s\n", s.topSpeed);
    if (s.engineStart)
        Append(out, "  engine start   %.2f s\n", *s.engineStart);
    else
        Append(out, "  engine start   not started\n");
    if (s.doorAnimation >= 0)
        Append(out, "  door cycles    opened %d, closed %d\n", s.doorsOpened, s.doorsClosed);
    Append(out, "  sounds played  %d", s.sounds);
    const char *separator = ": ";
    for (const auto &[slot, count] : s.soundsBySlot) {
        Append(out, "%sslot %ld x%d", separator, slot, count);
        separator = ", ";
    }
    Append(out, "\n  keys passed    ");
    if (s.keysPassed.empty())
        Append(out, "none");
    separator = "";
    for (const auto &[key, count] : s.keysPassed) {
        Append(out, "%s%s x%d", separator, key.c_str(), count);
        separator = ", ";
    }
    Append(out, "\n");
    return out;
}

void RunSummary::Print(std::FILE *out,
                       const std::vector<std::unique_ptr<host::Vessel>> &vessels) const
{
    for (const auto &vessel : vessels)
        std::fputs(Text(*vessel).c_str(), out);
}

std::string RunSummary::Json(const std::vector<std::unique_ptr<host::Vessel>> &vessels,
                             std::int64_t steps, double step, double wallTime) const
{
    using json = nlohmann::ordered_json;
    json list = json::array();
    for (const auto &vessel : vessels) {
        if (vessel->id < 0 || std::size_t(vessel->id) >= stats_.size())
            continue;
        const VesselStats &s = stats_[vessel->id];
        json entry = {
            {"name", vessel->name},
            {"class", vessel->className},
            {"distance_m", s.distance},
            {"start_m", {s.startX, s.startZ}},
            {"end_m", {vessel->motion.x, vessel->motion.z}},
            {"heading_deg", vessel->motion.heading * 180 / std::numbers::pi},
            {"top_speed_m_s", s.topSpeed},
            {"engine_start_s", s.engineStart ? json(*s.engineStart) : json(nullptr)},
        };
        if (s.doorAnimation >= 0)
            entry["door_cycles"] = {{"opened", s.doorsOpened}, {"closed", s.doorsClosed}};
        json bySlot = json::object();
        for (const auto &[slot, count] : s.soundsBySlot)
            bySlot[std::to_string(slot)] = count;
        entry["sounds_played"] = {{"total", s.sounds}, {"by_slot", bySlot}};
        entry["keys_passed"] = s.keysPassed;
        list.push_back(std::move(entry));
    }
    double vehicleSteps = double(list.size()) * double(steps);
    json run = {
        {"steps", steps},
        {"step_s", step},
        {"simulated_s", double(steps) * step},
        {"vessels", list.size()},
        {"wall_s", wallTime},
        {"vehicle_steps_per_s", wallTime > 0 ? json(vehicleSteps / wallTime) : json(nullptr)},
    };
    return json{{"run", run}, {"vessels", list}}.dump(2, ' ', false,
                                                      json::error_handler_t::replace) +
           "\n";
}

} // namespace vesselhost
