// The animation rig as data: each module lists its animations and their rotation
// components as rows (modules/<name>/module.h); SurfaceVehicle::DefineAnimations
// (rig.cpp) turns the rows into host animations.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>

#include "vehicle/surface_vehicle.h"

// Degree-to-radian factor: pi taken as 3.14159265358979, over 180.
inline constexpr double kRadPerDegree = 0.017453292519943278;

// The mesh groups one component turns, kept inside its row so that the record handed to
// the host points into constant data that lives as long as the module.
struct RigGroups {
    static constexpr std::size_t kCapacity = 6; // the door leaves move six groups

    constexpr RigGroups(std::initializer_list<UINT> list) : count(UINT(list.size()))
    {
        std::size_t i = 0;
        for (UINT group : list)
            indices[i++] = group; // a list longer than kCapacity fails to compile here
    }

    UINT indices[kCapacity] = {};
    UINT count;
};

// Row of an animation table: the record field that keeps the animation's index.
struct RigAnimation {
    UINT SurfaceVehicle::*handle;
};

inline constexpr bool kScaled = true;   // forward wheel angle: also times wheelAngleScale
inline constexpr bool kUnscaled = false;
inline constexpr int kNoParent = 0;

// Row of a component table. Components of one animation are added in table order.
struct RigComponent {
    UINT SurfaceVehicle::*animation; // handle field of the animation it belongs to
    double state0, state1;           // state range over which it turns
    RigGroups groups;
    VECTOR3 referencePoint;          // vessel frame, metres
    VECTOR3 axis;                    // as listed, not normalised
    double angleDegrees;             // turn at state1; sign gives the sense
    bool scaled;                     // kScaled or kUnscaled
    int parent;                      // component number (C1 = 1) of the parent, or kNoParent
};

// The most components a rig may have: vehicle set-up keeps each component's handle in
// a fixed array, so creating a vehicle allocates nothing it could fail to get.
inline constexpr std::size_t kMaxRigComponents = 48;

// A module's whole rig.
struct Rig {
    std::span<const RigAnimation> animations;
    std::span<const RigComponent> components;
    // One slot per component for its shared record; an empty slot is the record's
    // once-only flag. Process lifetime, never destroyed.
    std::span<std::optional<MGROUP_ROTATION>> sharedRecords;
    // A record made for each vehicle instead of a shared one: the field that owns it
    // and the component number that uses it; both left out when every record is shared.
    MGROUP_ROTATION *SurfaceVehicle::*ownRecord = nullptr;
    int ownRecordComponent = 0;
};
