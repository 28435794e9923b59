// A shared library loaded by path, with look-up of its exports.
#pragma once

#include <string>

namespace host {

class DynamicLibrary {
public:
    // Loads the library; throws host::Error naming the path and the loader's reason.
    explicit DynamicLibrary(const std::string &path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary &) = delete;
    DynamicLibrary &operator=(const DynamicLibrary &) = delete;

    void *Symbol(const char *name) const; // null when missing
    const std::string &Path() const { return path_; }

private:
    std::string path_;
    void *handle_ = nullptr;
};

// The platform's file name of a module library for a vessel class ("VARLOK1.so",
// "VARLOK1.dll").
std::string ModuleFileName(const std::string &className);

// The file name of the library behind a module instance handle, without folders.
std::string LibraryNameOf(void *instance);

} // namespace host
