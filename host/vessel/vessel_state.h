// Everything the host keeps per vessel: what the module declared and set, what the
// host reports back to it, and where the vessel stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/vessel/pose_cache.h"
#include "sdk/VesselAPI.h"

struct SimhostVesselCallbacks;

namespace host {

class ModuleLibrary;

struct Propellant {
    double maxMass = 0, mass = 0, efficiency = 1;
};

// What the physics and the module's calls read and write each step, and nothing else
// (the reference pressure and its Isp, which nothing here uses, are in the trace of the
// thruster's creation): 80 bytes a thruster, where 96 took a large fleet's step more lines.
struct Thruster {
    VECTOR3 position{}, direction{};
    double max0 = 0;  // current maximum thrust, N
    double level = 0; // 0..1
    std::ptrdiff_t propellant = -1;
    double isp0 = 0; // vacuum Isp, m/s
};

struct ThrusterGroup {
    THGROUP_TYPE type = THGROUP_MAIN;
    std::vector<int> thrusters;
};

struct MeshSlot {
    MESHHANDLE mesh = nullptr;
    VECTOR3 offset{};
    WORD visibility = 0;
};

// The state a step sets (the initial state is in the trace of its creation).
struct Animation {
    double state = 0;
};

struct AnimationComponent {
    UINT animation = 0;
    double state0 = 0, state1 = 1;
    const MGROUP_TRANSFORM *transform = nullptr; // the module's record, kept as given
    std::ptrdiff_t parent = -1;                  // index of the parent component
};

struct AddedForce {
    VECTOR3 force{}, point{};
};

// What the host reports to the module; set by tests, the scenario or the physics.
struct Readings {
    double airspeed = 0;      // m/s
    VECTOR3 airspeedVector{}; // m/s, vessel frame
    bool groundContact = false;
    double controlSurface[6] = {}; // by AIRCTRL_TYPE, -1..1
};

// Where the vessel stands on the ground plane, and how it moves (physics).
struct Motion {
    double x = 0, z = 0;   // m
    double heading = 0;    // rad, 0 = +z, clockwise seen from above
    double vx = 0, vz = 0; // m/s, ground frame
    double yawRate = 0;    // rad/s
};

// The sine and cosine of a heading, kept from one step to the next: a step starts at
// the heading the last one ended at, and a vehicle driving straight keeps it.
struct HeadingTrig {
    std::uint64_t headingBits = 0; // the heading's bits: -0 and +0 have different sines
    bool known = false;
    double sin = 0, cos = 1;
};

// The fields a step reads and writes (the ground physics, the module's calls during
// its post-step callback) come first, together: a large fleet's step brings in these lines of
// each record and no others (vessel_walk.h). What only creation, input and the
// outputs read follows.
struct Vessel {
    int id = -1;              // serial within the host, never reused
    VESSEL *vessel = nullptr; // the module's object, as ovcInit returned it
    // The callbacks on the object, under the C++ ABI of its module.
    const SimhostVesselCallbacks *callbacks = nullptr;

    Motion motion;
    HeadingTrig headingTrig; // the physics' own note
    Readings readings;
    // Whether a thruster's level or the thruster groups changed since the driver's
    // controls were last handed over (driver_input.h): until then they still hold.
    bool levelsTouched = true;
    double emptyMass = 0;
    double cw[4] = {};
    VECTOR3 crossSections{}, pmi{};
    VECTOR3 touchdown[3] = {};

    std::vector<Propellant> propellants;
    std::vector<Thruster> thrusters;
    std::vector<Animation> animations;
    std::vector<AddedForce> forces; // added during the current step

    // Read by creation, input and the outputs only.
    std::string name;
    std::string className;
    ModuleLibrary *module = nullptr;
    int flightModel = 1;

    // Physical make-up, as declared (what the ground physics reads is above).
    double size = 0;
    double wingAspect = 0, wingEffectiveness = 0;
    VECTOR3 rotDrag{};
    double pitchMomentScale = 0, bankMomentScale = 0, trimScale = 0;
    bool transponder = false;

    std::vector<ThrusterGroup> groups;
    std::vector<MeshSlot> meshes;
    std::vector<AnimationComponent> components;

    VECTOR3 cameraDirection{{0, 0, 1}};
    VECTOR3 cameraOffset{};

    VISHANDLE visual = nullptr;
    // The pose at the current animation states, worked out when read: only a reader
    // (a picture) pays for it.
    const PoseCache &Pose() const
    {
        pose_.Update(*this);
        return pose_;
    }

    // The group of a type, or -1.
    int GroupOfType(THGROUP_TYPE type) const
    {
        for (std::size_t i = 0; i < groups.size(); ++i)
            if (groups[i].type == type)
                return int(i);
        return -1;
    }

private:
    mutable PoseCache pose_;
};

} // namespace host
