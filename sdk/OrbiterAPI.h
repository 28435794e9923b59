// The simulator's general interface as the vessel modules see it: vectors, handles,
// enumerations and the free functions that the host implements.
#pragma once

#include <cstddef>

#include "sdk/windows_types.h"

#ifdef _WIN32
#define DLLEXPORT __declspec(dllexport)
#ifdef SIMHOST_BUILD
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC __declspec(dllimport)
#endif
#else
#define DLLEXPORT __attribute__((visibility("default")))
#define OAPIFUNC __attribute__((visibility("default")))
#endif

// Exports of a vessel module: undecorated names, visible to the host.
#define DLLCLBK extern "C" DLLEXPORT

// Three doubles; x right, y up, z forward in a vessel's frame (metres).
typedef union {
    double data[3];
    struct {
        double x, y, z;
    };
} VECTOR3;

inline VECTOR3 _V(double x, double y, double z)
{
    VECTOR3 v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

typedef void *OBJHANDLE;
typedef void *THRUSTER_HANDLE;
typedef void *THGROUP_HANDLE;
typedef void *PROPELLANT_HANDLE;
typedef void *MESHHANDLE;
typedef void *VISHANDLE;
typedef void *FILEHANDLE;
typedef void *ANIMATIONCOMPONENT_HANDLE;
typedef void *SURFHANDLE;
struct HUDPAINTSPEC;

enum THGROUP_TYPE {
    THGROUP_MAIN,
    THGROUP_RETRO,
    THGROUP_HOVER,
    THGROUP_ATT_PITCHUP,
    THGROUP_ATT_PITCHDOWN,
    THGROUP_ATT_YAWLEFT,
    THGROUP_ATT_YAWRIGHT,
    THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT,
    THGROUP_ATT_RIGHT,
    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,
    THGROUP_ATT_DOWN,
    THGROUP_ATT_FORWARD,
    THGROUP_ATT_BACK,
    THGROUP_USER = 0x40
};

enum AIRCTRL_TYPE {
    AIRCTRL_ELEVATOR,
    AIRCTRL_RUDDER,
    AIRCTRL_AILERON,
    AIRCTRL_FLAP,
    AIRCTRL_ELEVATORTRIM,
    AIRCTRL_RUDDERTRIM
};

enum REFFRAME { FRAME_GLOBAL, FRAME_LOCAL, FRAME_REFLOCAL, FRAME_HORIZON };

#define MESHVIS_NEVER 0x00
#define MESHVIS_EXTERNAL 0x01
#define MESHVIS_COCKPIT 0x02
#define MESHVIS_ALWAYS (MESHVIS_EXTERNAL | MESHVIS_COCKPIT)

// DirectInput keyboard scan codes used by the vessel modules.
#define OAPI_KEY_1 0x02
#define OAPI_KEY_2 0x03
#define OAPI_KEY_3 0x04
#define OAPI_KEY_5 0x06
#define OAPI_KEY_6 0x07
#define OAPI_KEY_7 0x08
#define OAPI_KEY_8 0x09
#define OAPI_KEY_W 0x11
#define OAPI_KEY_D 0x20
#define OAPI_KEY_K 0x25

OAPIFUNC MESHHANDLE oapiLoadMeshGlobal(const char *fname);
OAPIFUNC BOOL oapiGetFocusShipAirspeedVector(VECTOR3 *speedvec);
OAPIFUNC double oapiGetSimTime();
OAPIFUNC void oapiWriteLog(char *line);

// Per-module library set-up, called by a module when the host loads it.
OAPIFUNC void InitLib(HINSTANCE hModule);
// "Mmm dd yyyy" to (year % 100) * 10000 + month * 100 + day; 0 for text it cannot read.
OAPIFUNC int Date2Int(char *date);
