// Test-only: a module's own exit function under the name the entry looks up second.
#include <string>

#include "host/library/dynamic_library.h"
#include "sdk/Orbitersdk.h"

DLLCLBK void opcDLLExit(HINSTANCE hModule)
{
    std::string line = "opcDLLExit " + host::LibraryNameOf(hModule);
    oapiWriteLog(line.data());
}
