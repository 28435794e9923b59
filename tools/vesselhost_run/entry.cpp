// The stand-in simulator's command line as a library, for a program that loads modules of
// another C++ ABI than this build's (the stand-in Orbiter.exe): the program gives the
// callbacks under that ABI, and the run reads the process's own command line.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/core/module_boundary.h"
#include "tools/vesselhost/command_line.h"

namespace {

// The process's arguments in the system code page, as a C program's main gets them.
std::vector<std::string> ProcessArguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i) {
        int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(size > 0 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_ACP, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace

// Runs the command line with the simulator root in the current folder by default, as the
// simulator runs in its own, and ends the process with the exit code, through this
// library's C runtime, which flushes what the run wrote.
extern "C"
    [[noreturn]] __declspec(dllexport) void VesselhostRun(const SimhostVesselCallbacks *callbacks)
{
    SimhostUseVesselCallbacks(callbacks);
    std::vector<std::string> arguments = ProcessArguments();
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::exit(vesselhost::RunCommandLine(int(arguments.size()), argv.data(), "."));
}
