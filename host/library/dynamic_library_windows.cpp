#include "host/library/dynamic_library.h"

#include <windows.h>

#include "host/base/host_error.h"
#include "host/library/library_file.h"
#include "host/library/library_machine.h"

namespace host {

namespace {

// The loader's message for its last error, without the trailing line break.
std::string LastErrorText()
{
    DWORD code = GetLastError();
    char *text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

} // namespace

DynamicLibrary::DynamicLibrary(const std::string &path) : path_(path)
{
    CheckLibraryFile(path);
    // The loader wants backslashes; and no error dialog: a failure is reported here.
    std::string systemPath = path;
    for (char &c : systemPath)
        if (c == '/')
            c = '\\';
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle_ = LoadLibraryA(systemPath.c_str());
    SetErrorMode(previousMode);
    if (!handle_) {
        std::string reason = LastErrorText();
        std::string mismatch = ArchitectureMismatch(path);
        throw Error(path + ": cannot be loaded as a library (" +
                    (mismatch.empty() ? reason : mismatch) + ")");
    }
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

void *DynamicLibrary::Symbol(const char *name) const
{
    // Through void (*)(): the generic function pointer type, cast without complaint.
    return reinterpret_cast<void *>(
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
}

std::string ModuleFileName(const std::string &className) { return className + ".dll"; }

std::string LibraryNameOf(void *instance)
{
    char path[MAX_PATH];
    DWORD length =
        instance ? GetModuleFileNameA(static_cast<HMODULE>(instance), path, sizeof path) : 0;
    if (length == 0 || length == sizeof path)
        return "";
    std::string name(path, length);
    auto separator = name.find_last_of("\\/");
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

} // namespace host
