// Test-only exports of a module variant: a window on the module's entry function and
// its module-wide visual mesh.
#include "platform/kernel.h"
#include "vehicle/surface_vehicle.h"

DLLCLBK BOOL ProbeCallEntry(DWORD reason) { return DllMain(nullptr, reason, nullptr); }

DLLCLBK MESHHANDLE ProbeVisualMesh() { return visualMesh; }
