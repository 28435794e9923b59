// meshgen DESCRIPTION OUTPUT: builds a vehicle's mesh file from its description.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/meshgen/description.h"
#include "tools/meshgen/msh_writer.h"

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: meshgen DESCRIPTION OUTPUT.msh\n");
        return 2;
    }
    const fs::path output = argv[2];
    fs::path temporary = output;
    temporary += ".partial";
    try {
        meshgen::Description description = meshgen::ReadDescription(argv[1]);
        std::error_code error;
        auto status = fs::symlink_status(output, error);
        if (fs::exists(status) && !fs::is_regular_file(status))
            throw std::runtime_error(output.string() + ": not a regular file; left as it is");
        // Written beside the target and renamed onto it: whole or not at all.
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            meshgen::WriteMesh(out, description);
            out.flush();
            if (!out)
                throw std::runtime_error(temporary.string() + ": cannot write");
        }
        fs::rename(temporary, output);
    } catch (const std::exception &e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        std::fprintf(stderr, "meshgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
