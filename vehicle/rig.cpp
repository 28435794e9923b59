// SurfaceVehicle::DefineAnimations: the module's rig tables become host animations.
#include "vehicle/rig.h"

#include <array>
#include <new>
#include <type_traits>

#include "vehicle/built_module.h"

// Shared records sit in static storage and are never destroyed: no exit-time work.
static_assert(std::is_trivially_destructible_v<std::optional<MGROUP_ROTATION>>);

namespace {

constexpr const Rig &kModuleRig = *kModule.rig.value;
static_assert(kModuleRig.components.size() <= kMaxRigComponents,
              "the rig has more components than vehicle set-up keeps handles for");
static_assert(kModuleRig.sharedRecords.size() == kModuleRig.components.size(),
              "the rig keeps one shared record slot per component");

// Every component moves groups of the vehicle's only mesh.
constexpr UINT kRigMesh = 0;

// Radians as stored: computed in double, then narrowed to single precision.
float StoredAngle(const RigComponent &row, double wheelAngleScale)
{
    if (row.scaled)
        return float(kRadPerDegree * wheelAngleScale * row.angleDegrees);
    return float(kRadPerDegree * row.angleDegrees);
}

} // namespace

void SurfaceVehicle::DefineAnimations()
{
    const Rig &rig = kModuleRig;
    // Handle the host returned for each component, by table position: a later row may
    // name it as its parent. A fixed array: ovcInit must not meet an allocation that
    // throws.
    std::array<ANIMATIONCOMPONENT_HANDLE, kMaxRigComponents> added{};

    for (const RigAnimation &animation : rig.animations) {
        const UINT index = CreateAnimation(0.0);
        this->*animation.handle = index;

        for (std::size_t c = 0; c < rig.components.size(); ++c) {
            const RigComponent &row = rig.components[c];
            if (row.animation != animation.handle)
                continue;
            const float angle = StoredAngle(row, wheelAngleScale);
            MGROUP_ROTATION *record;
            if (int(c) + 1 == rig.ownRecordComponent) {
                // Made afresh for this vehicle. Without memory the vehicle goes on
                // without this component: its animation exists and moves nothing.
                record = new (std::nothrow) MGROUP_ROTATION(
                    kRigMesh, row.groups.indices, row.groups.count, row.referencePoint,
                    row.axis, angle);
                this->*rig.ownRecord = record;
                if (!record)
                    continue;
            } else {
                std::optional<MGROUP_ROTATION> &shared = rig.sharedRecords[c];
                if (!shared) // the first vehicle of the module builds it
                    shared.emplace(kRigMesh, row.groups.indices, row.groups.count,
                                   row.referencePoint, row.axis, angle);
                record = &*shared;
            }
            ANIMATIONCOMPONENT_HANDLE parent =
                row.parent == kNoParent ? nullptr : added[std::size_t(row.parent - 1)];
            added[c] = AddAnimationComponent(index, row.state0, row.state1, record, parent);
        }
    }
}

// ovcExit deletes the vehicle before the host drops the vessel's animations, and the
// host reads no transform after ovcExit, so the vehicle's own record can go with it.
SurfaceVehicle::~SurfaceVehicle()
{
    if constexpr (kModuleRig.ownRecordComponent != 0)
        delete (this->*kModuleRig.ownRecord);
}
