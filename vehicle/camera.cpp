// The two cockpit camera positions: front looking forward, rear looking backward.
#include "vehicle/surface_vehicle.h"

namespace {

struct CameraPosition {
    VECTOR3 direction; // default view direction, unit vector
    VECTOR3 offset;    // m, vessel frame
};

const CameraPosition kCameraPositions[2] = {
    {{{0, 0, 1}}, {{-0.571, -0.074, 2.124}}},
    {{{0, 0, -1}}, {{0, 0.55, -1.307}}},
};

} // namespace

void SurfaceVehicle::SelectCameraPosition(int position)
{
    if (position != 0 && position != 1)
        return;
    const CameraPosition &p = kCameraPositions[position];
    SetCameraDefaultDirection(p.direction);
    SetCameraOffset(p.offset);
}
