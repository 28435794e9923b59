// The two kernel look-ups a module makes, and its library entry function. On Windows
// these are the system's own; elsewhere platform/posix provides them inside each module.
#pragma once

#include "windows_types.h"

#ifndef _WIN32
typedef int (*FARPROC)();

// An export of the library `module` itself (not of its dependencies), or null.
FARPROC GetProcAddress(HINSTANCE module, const char *name);

// A library already in the process, found by its file name; never loads one.
HMODULE GetModuleHandleA(const char *name);

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#endif

// The module's library entry function: defined by the module frame, called by the
// platform with the module's instance handle when the library is loaded (reason 1)
// and unloaded (reason 0).
BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved);
