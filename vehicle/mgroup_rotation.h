// Rotation transform record of an animation component. The host reads it back
// (Type() == ROTATE), so the modules and the host compile this one definition. Final:
// a vehicle deletes its own record through this type.
#pragma once

#include "VesselAPI.h"

class MGROUP_ROTATION final : public MGROUP_TRANSFORM {
public:
    MGROUP_ROTATION(UINT meshIndex_, const UINT *groupIndices_, UINT groupCount_,
                    const VECTOR3 &referencePoint_, const VECTOR3 &axis_, float angle_)
        : meshIndex(meshIndex_), groupIndices(groupIndices_), groupCount(groupCount_),
          referencePoint(referencePoint_), axis(axis_), angle(angle_)
    {
    }
    int Type() const override { return ROTATE; }

    UINT meshIndex;           // vessel mesh whose groups move
    const UINT *groupIndices; // not owned: constant tables of the module
    UINT groupCount;
    VECTOR3 referencePoint;   // a point on the axis, vessel frame, metres
    VECTOR3 axis;             // as given; the host normalises it
    float angle;              // radians at the end of the state range
};
