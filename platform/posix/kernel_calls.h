// Stand-ins for the kernel calls a module makes, defined in platform/posix/kernel.cpp.
#pragma once

#include "sdk/windows_types.h"

typedef int (*FARPROC)();

// An export of the library `module` itself (not of its dependencies), or null.
FARPROC GetProcAddress(HINSTANCE module, const char *name);

// A library already in the process, found by its file name; never loads one.
HMODULE GetModuleHandleA(const char *name);

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
