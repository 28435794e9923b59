// Calls the module's entry function the way the Windows loader calls DllMain: with the
// module's own instance handle, reason 1 once loaded and reason 0 before unloading.
// The module keeps no state that needs dynamic initialisation, so running here in the
// library's constructor order is the same as running after the static initialisers.
#include "platform/kernel.h"

#include <dlfcn.h>

namespace {

HINSTANCE ownInstance = nullptr;

HINSTANCE FindOwnInstance()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&FindOwnInstance), &info))
        return nullptr;
    void *handle = dlopen(info.dli_fname, RTLD_NOLOAD | RTLD_LAZY);
    if (handle)
        dlclose(handle); // the loader's own reference keeps the library while it is loaded
    return static_cast<HINSTANCE>(handle);
}

__attribute__((constructor)) void ProcessAttach()
{
    ownInstance = FindOwnInstance();
    DllMain(ownInstance, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void ProcessDetach()
{
    DllMain(ownInstance, DLL_PROCESS_DETACH, nullptr);
}

} // namespace
