// The two kernel look-ups a module makes, and its library entry function. The calls
// come from the platform's kernel_calls.h: the system's own on Windows, stand-ins
// built into each module elsewhere (platform/posix).
#pragma once

#include "sdk/windows_types.h"

#include "kernel_calls.h"

// The module's library entry function: defined by the module frame, called by the
// platform with the module's instance handle when the library is loaded (reason 1),
// unloaded (reason 0) and, where the platform has them, when threads start (2) and
// end (3). C linkage: the runtime's start-up code finds it by its plain name.
extern "C" BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved);
