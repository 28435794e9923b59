// A rigid motion of the vessel frame, as the host poses a vessel's mesh groups with.
#pragma once

#include "sdk/OrbiterAPI.h"

namespace host {

// A rigid motion of the vessel frame: p -> rotation * p + translation (metres).
struct RigidTransform {
    double rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    VECTOR3 translation{};

    VECTOR3 Apply(const VECTOR3 &p) const;
    // This motion following `first`: After(first).Apply(p) == Apply(first.Apply(p)).
    RigidTransform After(const RigidTransform &first) const;
    // A turn of `angle` radians about the line through `point` along `axis` (any length;
    // a zero axis turns nothing). Right-hand sense in the vessel's coordinates: a positive
    // angle about +x carries +y toward +z, so a wheel rolls forward.
    static RigidTransform Rotation(const VECTOR3 &point, const VECTOR3 &axis, double angle);
};

// Sets `out` to the turn that `turn` makes about the origin, made about the parallel
// line through `point` instead: the same rotation, and the line stays where it is.
// Written in place, and inline: this runs for every moving component at every step.
inline void PlaceTurn(const RigidTransform &turn, const VECTOR3 &point, RigidTransform &out)
{
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = turn.rotation[i][j];
        out.translation.data[i] = point.data[i] - (turn.rotation[i][0] * point.data[0] +
                                                   turn.rotation[i][1] * point.data[1] +
                                                   turn.rotation[i][2] * point.data[2]);
    }
}

} // namespace host
