// A vessel module loaded by its class name, with its three factory exports.
#pragma once

#include <memory>
#include <string>

#include "host/library/dynamic_library.h"
#include "sdk/VesselAPI.h"

namespace host {

class ModuleLibrary {
public:
    // Loads "<dir>/<CLASS>.so" ("<CLASS>.dll" on Windows); throws host::Error when the
    // file is not a loadable library or lacks ovcInit.
    ModuleLibrary(const std::string &className, const std::string &directory);

    const std::string &ClassName() const { return className_; }
    const std::string &Path() const { return library_.Path(); }

    VESSEL *Init(OBJHANDLE vessel, int flightModel) const { return init_(vessel, flightModel); }
    void Exit(VESSEL *vessel) const
    {
        if (exit_)
            exit_(vessel);
    }
    bool HasVersion() const { return version_ != nullptr; }
    int Version() const { return version_ ? version_() : 0; }
    void *Symbol(const char *name) const { return library_.Symbol(name); }

private:
    typedef VESSEL *(*InitFunction)(OBJHANDLE, int);
    typedef void (*ExitFunction)(VESSEL *);
    typedef int (*VersionFunction)();

    std::string className_;
    DynamicLibrary library_;
    InitFunction init_ = nullptr;
    ExitFunction exit_ = nullptr;
    VersionFunction version_ = nullptr;
};

} // namespace host
