#include "host/mesh/rigid_transform.h"

#include <cmath>

namespace host {

VECTOR3 RigidTransform::Apply(const VECTOR3 &p) const
{
    VECTOR3 out;
    for (int i = 0; i < 3; ++i)
        out.data[i] = rotation[i][0] * p.data[0] + rotation[i][1] * p.data[1] +
                      rotation[i][2] * p.data[2] + translation.data[i];
    return out;
}

RigidTransform RigidTransform::After(const RigidTransform &first) const
{
    RigidTransform out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = rotation[i][0] * first.rotation[0][j] +
                                 rotation[i][1] * first.rotation[1][j] +
                                 rotation[i][2] * first.rotation[2][j];
    }
    out.translation = Apply(first.translation);
    return out;
}

RigidTransform RigidTransform::Rotation(const VECTOR3 &point, const VECTOR3 &axis, double angle)
{
    RigidTransform out;
    double length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    if (length == 0.0)
        return out;
    const double u[3] = {axis.x / length, axis.y / length, axis.z / length};
    const double c = std::cos(angle), s = std::sin(angle);
    // Rodrigues: c I + s [u]x + (1 - c) u u^T.
    const double cross[3][3] = {{0, -u[2], u[1]}, {u[2], 0, -u[0]}, {-u[1], u[0], 0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = (i == j ? c : 0.0) + s * cross[i][j] + (1 - c) * u[i] * u[j];
    PlaceTurn(out, point, out);
    return out;
}

} // namespace host
