// POSIX stand-ins for GetProcAddress and GetModuleHandleA, built into each module.
#include "platform/kernel.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

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

namespace {

// The loaded library whose file has this name (a bare file name, as Windows programs
// give it, or a path), or an empty path.
struct LoadedSearch {
    const char *name;
    const char *path = nullptr;
};

int MatchLoaded(dl_phdr_info *info, std::size_t, void *data)
{
    auto &search = *static_cast<LoadedSearch *>(data);
    const char *path = info->dlpi_name;
    if (!path || !*path)
        return 0;
    const char *file = path;
    if (!std::strchr(search.name, '/'))
        if (const char *slash = std::strrchr(path, '/'))
            file = slash + 1;
    if (std::strcmp(file, search.name) != 0)
        return 0;
    search.path = path;
    return 1;
}

} // namespace

HMODULE GetModuleHandleA(const char *name)
{
    if (!name)
        return nullptr;
    // Only what is loaded is looked at: asked for a bare name that is not loaded, the
    // loader would search the library path on disk, a dozen system calls for each
    // vehicle of a fleet created without the sound library.
    LoadedSearch search{name};
    dl_iterate_phdr(MatchLoaded, &search);
    if (!search.path)
        return nullptr;
    void *handle = dlopen(search.path, RTLD_NOLOAD | RTLD_LAZY);
    if (handle)
        dlclose(handle); // RTLD_NOLOAD still counts a reference; the library stays loaded
    return static_cast<HMODULE>(handle);
}
