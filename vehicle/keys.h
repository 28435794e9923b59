// Keyboard commands: each module lists its keys as rows of a table; the handler finds
// the scan code and carries out the row's action.
#pragma once

#include "sdk/Orbitersdk.h"

class SurfaceVehicle;

struct KeyRow {
    DWORD scanCode;                   // DirectInput keyboard scan code
    void (*action)(SurfaceVehicle &);
    int result;                       // 1: used; 0: the simulator handles the key too
};

namespace keys {

// Actions every module binds.
void FrontCamera(SurfaceVehicle &v);
void RearCamera(SurfaceVehicle &v);
void RearDoors(SurfaceVehicle &v);
void StartEngine(SurfaceVehicle &v);

// A key of a mode pair: from held it starts the motion in the key's own direction,
// in that direction it holds, in the other direction it switches to its own.
template <class Mode>
Mode PairKey(Mode current, Mode own, Mode held)
{
    return current == own ? held : own;
}

} // namespace keys
