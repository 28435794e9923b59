// The kernel's own GetProcAddress and GetModuleHandleA, and the entry reason codes.
#pragma once

#include <windows.h>
