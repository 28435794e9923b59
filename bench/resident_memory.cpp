#include "bench/resident_memory.h"

#include <fstream>

#include <malloc.h>
#include <unistd.h>

namespace bench {

std::size_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t totalPages = 0, residentPages = 0;
    if (!(statm >> totalPages >> residentPages))
        return 0;
    return residentPages * std::size_t(::sysconf(_SC_PAGESIZE));
}

void ReleaseFreedMemory() { ::malloc_trim(0); }

} // namespace bench
