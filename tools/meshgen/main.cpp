// meshgen DESCRIPTION OUTPUT: builds a vehicle's mesh file from its description.
// Exit codes: 0 written; 1 cannot be written or a bad description; 2 usage or an output
// that cannot be one (a file the description reads, a folder).
#include <cstdio>
#include <sstream>

#include "output/output_check.h"
#include "output/output_file.h"
#include "output/tool_exit.h"
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
        output::CheckOutputs({{"output", argv[2], false}}, description.files);
        std::ostringstream mesh;
        meshgen::WriteMesh(mesh, description);
        output::WriteWholeFile(argv[2], mesh.str());
    } catch (...) {
        return output::ToolExit("meshgen", "the mesh");
    }
    return 0;
}
