// Windows integer and handle types that the simulator's interface is written in.
// On Windows the system headers provide them; elsewhere they are given here with
// the same widths (DWORD is 32 bits everywhere, unlike unsigned long on LP64).
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef std::uint16_t WORD;
typedef int BOOL;
typedef struct HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef void *LPVOID;
typedef void *HDC;
#define WINAPI
#define TRUE 1
#define FALSE 0
#endif
