// Prints where this module's moving parts are among its animations, as a row of the
// table tests/support/rig_layout.cpp is built from. Built once per module against its
// page (module.h), whose rig table it reads; CLASS_NAME names the class.
#include <cstdio>

#include "module.h" // the module the program is built for

namespace {

using V = SurfaceVehicle;

constexpr const Rig &kRig = *kModule.rig.value;

constexpr int IndexOf(UINT V::*handle)
{
    for (std::size_t i = 0; i < kRig.animations.size(); ++i)
        if (kRig.animations[i].handle == handle)
            return int(i);
    return -1;
}

// The parts only some records have: -1 where the record has no such field.
template <class R = V>
constexpr int Turret()
{
    if constexpr (requires { &R::animTurret; })
        return IndexOf(&R::animTurret);
    return -1;
}

template <class R = V>
constexpr int Cannon()
{
    if constexpr (requires { &R::animCannon; })
        return IndexOf(&R::animCannon);
    return -1;
}

template <class R = V>
constexpr int Roof()
{
    if constexpr (requires { &R::animRoofRotator; })
        return IndexOf(&R::animRoofRotator);
    return -1;
}

// In the order of RigLayout's fields.
// clang-format off
constexpr int kParts[] = {
    IndexOf(&V::animDoorLatchLeft), IndexOf(&V::animDoorLatchRight), IndexOf(&V::animLeverLeft1),
    IndexOf(&V::animLeverRight1),   IndexOf(&V::animLeverLeft2),      IndexOf(&V::animLeverRight2),
    IndexOf(&V::animRearDoorLeft),  IndexOf(&V::animRearDoorRight),   IndexOf(&V::animWheelsRightFwd),
    IndexOf(&V::animWheelsLeftFwd), IndexOf(&V::animWheelsRightRev),  IndexOf(&V::animWheelsLeftRev),
    Turret(),                       Cannon(),                         Roof(),
};
// clang-format on

// Parts every module has: its rig creates each of them.
constexpr bool EveryCommonPartCreated()
{
    for (int i = 0; i < 12; ++i)
        if (kParts[i] < 0)
            return false;
    return true;
}
static_assert(EveryCommonPartCreated(), "the rig creates no animation for a part every module has");

} // namespace

int main()
{
    std::printf("{\"%s\", {", CLASS_NAME);
    for (int part : kParts)
        std::printf("%d, ", part);
    std::printf("}},\n");
    return 0;
}
