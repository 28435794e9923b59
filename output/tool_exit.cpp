#include "output/tool_exit.h"

#include <cstdio>
#include <exception>
#include <new>

#include "host/base/host_error.h"

namespace output {

int ToolExit(const char *tool, const char *building) noexcept
{
    try {
        throw;
    } catch (const host::Error &e) {
        std::fprintf(stderr, "%s: %s\n", tool, e.what());
        return 2;
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "%s: out of memory while building %s; nothing was written\n", tool,
                     building);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", tool, e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: unexpected failure\n", tool);
    }
    return 1;
}

} // namespace output
