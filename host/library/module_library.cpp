#include "host/library/module_library.h"

#include "host/base/host_error.h"

namespace host {

ModuleLibrary::ModuleLibrary(const std::string &className, const std::string &directory)
    : className_(className), library_(directory + "/" + ModuleFileName(className))
{
    init_ = reinterpret_cast<InitFunction>(library_.Symbol("ovcInit"));
    exit_ = reinterpret_cast<ExitFunction>(library_.Symbol("ovcExit"));
    version_ = reinterpret_cast<VersionFunction>(library_.Symbol("GetModuleVersion"));
    if (!init_)
        throw Error(library_.Path() + ": not a vessel module: it exports no \"ovcInit\"");
}

} // namespace host
