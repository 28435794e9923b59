// meshgen DESCRIPTION OUTPUT: builds a vehicle's mesh file from its description.
// Exit codes: 0 written; 1 cannot be written or a bad description; 2 usage or an output
// that cannot be one (a file the description reads, a folder).
#include <cstdio>
#include <new>
#include <sstream>
#include <stdexcept>

#include "host/base/host_error.h"
#include "output/output_check.h"
#include "output/output_file.h"
#include "tools/meshgen/description.h"
#include "tools/meshgen/msh_writer.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: meshgen DESCRIPTION OUTPUT.msh\n");
        return 2;
    }
    try {
        meshgen::Description description = meshgen::ReadDescription(argv[1]);
        output::CheckOutputs({{"meshgen: output", argv[2], false}}, description.files);
        std::ostringstream mesh;
        meshgen::WriteMesh(mesh, description);
        output::OutputFile file(argv[2]);
        file.Write(mesh.str());
        file.Commit();
    } catch (const host::Error &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr,
                     "meshgen: out of memory while building the mesh; nothing was written\n");
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "meshgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
