// The driver's input of a scenario as it stands during a run: the levels and readings
// each vessel's input lines hold, each back to 0 when its FOR runs out. The levels go
// to the vessels as driver controls before every step; scripted readings (with the
// physics off) when they change.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/core/simulator.h"
#include "host/physics/driver_input.h"
#include "host/scenario/scenario.h"

namespace vesselhost {

class ScenarioInput {
public:
    explicit ScenarioInput(std::size_t vessels);

    // Whether the event is one of the lines that hold a value: MAIN, RETRO, YAW,
    // AIRSPEED, AIRVEC, GROUND.
    static bool Holds(const host::ScenarioEvent &event);
    // Takes such a line's value for its vessel, held until its FOR runs out.
    void Hold(const host::ScenarioEvent &event);
    // Every held value whose FOR has run out by `due` (s) falls back to 0.
    void ExpireBy(double due);
    // Hands the scripted readings that changed since the last call to their vessels,
    // indexed as the scenario's ships.
    void HandOverReadings(const std::vector<host::Vessel *> &vessels);

    // The controls on the vessel of a ship index.
    host::Driver &DriverOf(std::size_t vessel) { return drivers_[vessel]; }

private:
    // A value held by an input line: back to 0 at `until` when given (FOR N).
    struct Held {
        double value[3] = {};
        std::optional<double> until;
    };
    enum Kind : std::uint8_t { kMain, kRetro, kYaw, kAirspeed, kAirVector, kKinds };
    struct VesselInput {
        Held held[kKinds];
        bool ground = false;
        bool readingsChanged = false;
    };
    struct Expiry {
        double until;
        std::uint32_t vessel;
        Kind kind;
        bool operator>(const Expiry &other) const { return until > other.until; }
    };

    void Changed(std::size_t vessel, Kind kind);

    std::vector<host::Driver> drivers_; // read at every step, so kept apart and packed
    std::vector<VesselInput> input_;
    // The FORs running, soonest first; one whose value was set again since is passed over.
    std::vector<Expiry> expiries_;
    std::vector<std::uint32_t> readingsChanged_;
};

} // namespace vesselhost
