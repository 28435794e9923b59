#include "tools/vesselhost/simulator_root.h"

#include <algorithm>
#include <filesystem>

#include "host/base/host_error.h"
#include "host/library/dynamic_library.h"

namespace vesselhost {

namespace fs = std::filesystem;

void RequireRoot(const std::string &root)
{
    std::error_code error;
    if (!fs::is_directory(ModuleDirectory(root), error))
        throw host::Error(root + ": expected a simulator root folder with a Modules folder in it");
}

std::string ModuleDirectory(const std::string &root) { return root + "/Modules"; }

std::string SoundLibraryPath(const std::string &root) { return root + "/OrbiterSound.dll"; }

std::vector<std::string> ClassesIn(const std::string &moduleDirectory)
{
    // The file name of a module is the class name and the platform's suffix.
    const std::string suffix = host::ModuleFileName("");
    std::vector<std::string> classes;
    std::error_code error;
    for (fs::directory_iterator it(moduleDirectory, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.size() > suffix.size() && name.ends_with(suffix) && it->is_regular_file(error))
            classes.push_back(name.substr(0, name.size() - suffix.size()));
    }
    std::sort(classes.begin(), classes.end());
    return classes;
}

} // namespace vesselhost
