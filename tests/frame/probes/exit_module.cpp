// Test-only: a module's own exit function under the name the entry looks up first.
#include <string>

#include "host/library/dynamic_library.h"
#include "sdk/Orbitersdk.h"

DLLCLBK void ExitModule(HINSTANCE hModule)
{
    std::string line = "ExitModule " + host::LibraryNameOf(hModule);
    oapiWriteLog(line.data());
}
