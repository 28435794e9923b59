#include "fuzz/vehicle_exercise.h"

#include <dlfcn.h>

#include "host/base/host_error.h"
#include "host/library/dynamic_library.h"

namespace reliability {

namespace {

std::string SoundLibraryPath(SoundLibrary sound)
{
    switch (sound) {
    case SoundLibrary::Present:
        return std::string(EXERCISE_SIM_ROOT) + "/OrbiterSound.dll";
    case SoundLibrary::WithoutReplaceStock:
        return std::string(EXERCISE_SOUND_VARIANTS) + "/sound_without_replace_stock/OrbiterSound.dll";
    case SoundLibrary::WithoutVesselId:
        return std::string(EXERCISE_SOUND_VARIANTS) + "/sound_without_vessel_id/OrbiterSound.dll";
    case SoundLibrary::Absent:
        break;
    }
    return {};
}

} // namespace

void VehicleExercise::KeepModulesLoaded()
{
    for (const auto &className : kClasses) {
        const std::string path =
            std::string(EXERCISE_SIM_ROOT) + "/Modules/" + host::ModuleFileName(className);
        if (!dlopen(path.c_str(), RTLD_NOW | RTLD_NODELETE))
            throw host::Error(path + ": cannot keep the module loaded: " + dlerror());
    }
}

VehicleExercise::VehicleExercise(SoundLibrary sound, std::size_t maxVehicles)
    : maxVehicles_(maxVehicles)
{
    sim_.Reset();
    // The built modules, with wave files of a few samples: the sound library then loads
    // them at once instead of making up a second of sound for each.
    sim_.SetRoot(EXERCISE_WAVE_ROOT);
    sim_.SetModuleDirectory(std::string(EXERCISE_SIM_ROOT) + "/Modules");
    sim_.Trace().enabled = true;
    const std::string library = SoundLibraryPath(sound);
    if (!library.empty())
        sim_.LoadSoundLibrary(library);
}

VehicleExercise::~VehicleExercise() { sim_.Reset(); }

host::Vessel *VehicleExercise::At(std::size_t slot) const
{
    const auto &vessels = sim_.Vessels();
    return vessels.empty() ? nullptr : vessels[slot % vessels.size()].get();
}

void VehicleExercise::Checked(std::optional<double> stepLength)
{
    ++events_;
    std::vector<host::Vessel *> vessels;
    for (const auto &v : sim_.Vessels())
        vessels.push_back(v.get());
    watch_.Check(sim_.Trace().Calls(), vessels, stepLength);
    sim_.Trace().Clear();
}

bool VehicleExercise::Create(std::size_t classIndex, int flightModel)
{
    if (sim_.Vessels().size() >= maxVehicles_)
        return false;
    host::Vessel &v = sim_.CreateVessel("V" + std::to_string(serial_++),
                                        kClasses[classIndex % kClasses.size()], flightModel);
    watch_.Add(v);
    Checked();
    return true;
}

void VehicleExercise::Destroy(std::size_t slot)
{
    if (host::Vessel *v = At(slot)) {
        watch_.Remove(v->id);
        sim_.DestroyVessel(*v);
        Checked();
    }
}

void VehicleExercise::Key(std::size_t slot, unsigned key, bool down)
{
    if (host::Vessel *v = At(slot)) {
        sim_.SendKey(*v, key, down);
        watch_.NoteKey(v->id, key, down);
        Checked();
    }
}

void VehicleExercise::SetAirspeed(std::size_t slot, double airspeed)
{
    if (host::Vessel *v = At(slot))
        v->readings.airspeed = airspeed;
}

void VehicleExercise::SetAirspeedVector(std::size_t slot, const VECTOR3 &airspeed)
{
    if (host::Vessel *v = At(slot))
        v->readings.airspeedVector = airspeed;
}

void VehicleExercise::SetControlSurface(std::size_t slot, std::size_t surface, double level)
{
    if (host::Vessel *v = At(slot))
        v->readings.controlSurface[surface % std::size(v->readings.controlSurface)] = level;
}

void VehicleExercise::SetGroundContact(std::size_t slot, bool contact)
{
    if (host::Vessel *v = At(slot))
        v->readings.groundContact = contact;
}

void VehicleExercise::SetThrusterLevel(std::size_t slot, std::size_t thruster, double level)
{
    host::Vessel *v = At(slot);
    if (v && !v->thrusters.empty())
        v->thrusters[thruster % v->thrusters.size()].level = level;
}

void VehicleExercise::CreateVisual(std::size_t slot)
{
    if (host::Vessel *v = At(slot)) {
        sim_.CreateVisual(*v);
        Checked();
    }
}

void VehicleExercise::DestroyVisual(std::size_t slot)
{
    if (host::Vessel *v = At(slot)) {
        sim_.DestroyVisual(*v);
        Checked();
    }
}

void VehicleExercise::Focus(std::optional<std::size_t> slot)
{
    sim_.SetFocus(slot ? At(*slot) : nullptr);
}

void VehicleExercise::Step(double dt)
{
    sim_.Step(dt);
    vehicleSteps_ += std::int64_t(sim_.Vessels().size());
    Checked(dt);
}

} // namespace reliability
