// Real vehicles of the shipped modules in the stand-in simulator, driven one event at a
// time by a fuzzer or a soak run, with every invariant of VehicleWatch checked after
// every event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/vehicle_watch.h"
#include "host/core/simulator.h"

namespace reliability {

// What the host has loaded as the sound library before the vehicles come.
enum class SoundLibrary { Present, Absent, WithoutReplaceStock, WithoutVesselId };
inline constexpr int kSoundLibraryChoices = 4;

inline const std::vector<std::string> kClasses = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};

class VehicleExercise {
public:
    // A fresh simulator on the built root with the sound library chosen; at most
    // `maxVehicles` live at a time.
    VehicleExercise(SoundLibrary sound, std::size_t maxVehicles);
    ~VehicleExercise();
    VehicleExercise(const VehicleExercise &) = delete;
    VehicleExercise &operator=(const VehicleExercise &) = delete;

    // Keeps every shipped module mapped for the rest of the process, whatever the host
    // unloads: libFuzzer keeps counting coverage in every library it has seen, so a
    // module it watches must never go away. Module-wide state then lives on from one
    // run to the next, as in one long simulator session.
    static void KeepModulesLoaded();

    // Creates a vehicle of kClasses[classIndex % 3]; false when the limit is reached.
    bool Create(std::size_t classIndex, int flightModel = 1);

    // The events below address a live vehicle by slot (taken modulo the number alive)
    // and do nothing while none lives.
    void Destroy(std::size_t slot);
    void Key(std::size_t slot, unsigned key, bool down);
    void SetAirspeed(std::size_t slot, double airspeed);
    void SetAirspeedVector(std::size_t slot, const VECTOR3 &airspeed);
    void SetControlSurface(std::size_t slot, std::size_t surface, double level);
    void SetGroundContact(std::size_t slot, bool contact);
    void SetThrusterLevel(std::size_t slot, std::size_t thruster, double level);
    void CreateVisual(std::size_t slot);
    void DestroyVisual(std::size_t slot);
    void Focus(std::optional<std::size_t> slot);

    // One simulation step of every live vehicle.
    void Step(double dt);

    std::size_t VehicleCount() const { return sim_.Vessels().size(); }
    std::int64_t VehicleSteps() const { return vehicleSteps_; }
    std::int64_t Events() const { return events_; }
    const std::vector<std::string> &Violations() const { return watch_.Violations(); }

private:
    host::Vessel *At(std::size_t slot) const;
    // Checks the calls since the last event, then forgets them.
    void Checked(std::optional<double> stepLength = std::nullopt);

    host::Simulator &sim_ = host::Simulator::Get();
    std::size_t maxVehicles_;
    int serial_ = 0;
    std::int64_t vehicleSteps_ = 0;
    std::int64_t events_ = 0;
    VehicleWatch watch_;
};

} // namespace reliability
