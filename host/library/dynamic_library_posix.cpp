#include "host/library/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>

#include "host/base/host_error.h"
#include "host/library/library_file.h"

namespace host {

DynamicLibrary::DynamicLibrary(const std::string &path) : path_(path)
{
    CheckLibraryFile(path);
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char *why = dlerror();
        throw Error(path + ": cannot be loaded as a library (" + (why ? why : "unknown reason") +
                    ")");
    }
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void *DynamicLibrary::Symbol(const char *name) const { return dlsym(handle_, name); }

std::string ModuleFileName(const std::string &className) { return className + ".so"; }

std::string LibraryNameOf(void *instance)
{
    link_map *map = nullptr;
    if (!instance || dlinfo(instance, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return "";
    std::string path = map->l_name;
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace host
