#include "tools/vesselhost/available_memory.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fstream>
#include <string>
#endif

namespace vesselhost {

std::optional<std::uint64_t> AvailableMemory()
{
#ifdef _WIN32
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return status.ullAvailPhys;
#else
    // Linux: free memory plus what the page cache would give back.
    std::ifstream meminfo("/proc/meminfo");
    const std::string key = "MemAvailable:";
    for (std::string line; std::getline(meminfo, line);)
        if (line.starts_with(key))
            return std::stoull(line.substr(key.size())) * 1024; // given in KiB
    return std::nullopt;
#endif
}

} // namespace vesselhost
