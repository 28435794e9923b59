// The module frame: library entry, vessel factory exports and version stamp. Identical
// in every module; only the SurfaceVehicle behind it differs.
#include <new>

#include "platform/kernel.h"
#include "sdk/Orbitersdk.h"
#include "vehicle/surface_vehicle.h"

namespace {

typedef void (*ExitFunction)(HINSTANCE);

ExitFunction exitCallback = nullptr;
int moduleVersion = 0;

ExitFunction FindExport(HINSTANCE module, const char *name)
{
    // Through void (*)(): the generic function pointer type, cast without complaint.
    return reinterpret_cast<ExitFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID /*reserved*/)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        InitLib(hModule);
        exitCallback = FindExport(hModule, "ExitModule");
        if (!exitCallback)
            exitCallback = FindExport(hModule, "opcDLLExit");
        break;
    case DLL_PROCESS_DETACH:
        if (exitCallback)
            exitCallback(hModule);
        break;
    default: // thread attach and detach
        break;
    }
    return TRUE;
}

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel)
{
    SurfaceVehicle *vehicle = new (std::nothrow) SurfaceVehicle(hvessel, flightmodel);
    if (!vehicle)
        return nullptr;
    return static_cast<VESSEL *>(vehicle);
}

DLLCLBK void ovcExit(VESSEL *vessel)
{
    if (!vessel)
        return;
    delete static_cast<SurfaceVehicle *>(vessel);
}

DLLCLBK int GetModuleVersion()
{
    if (moduleVersion == 0) {
        char date[] = "Apr 25 2006";
        moduleVersion = Date2Int(date);
    }
    return moduleVersion;
}
