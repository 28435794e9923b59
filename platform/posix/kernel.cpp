// POSIX stand-ins for GetProcAddress and GetModuleHandleA, built into each module.
#include "platform/kernel.h"

#include <dlfcn.h>
#include <link.h>

FARPROC GetProcAddress(HINSTANCE module, const char *name)
{
    if (!module || !name)
        return nullptr;
    void *symbol = dlsym(module, name);
    if (!symbol)
        return nullptr;
    // dlsym also searches the library's dependencies; an export belongs to one library.
    link_map *own = nullptr, *holder = nullptr;
    Dl_info info{};
    if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 ||
        !dladdr1(symbol, &info, reinterpret_cast<void **>(&holder), RTLD_DL_LINKMAP) ||
        own != holder)
        return nullptr;
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleA(const char *name)
{
    if (!name)
        return nullptr;
    void *handle = dlopen(name, RTLD_NOLOAD | RTLD_LAZY);
    if (handle)
        dlclose(handle); // RTLD_NOLOAD still counts a reference; the library stays loaded
    return static_cast<HMODULE>(handle);
}
