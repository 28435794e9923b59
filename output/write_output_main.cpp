// write-output FILE [INPUT...]: copies standard input into FILE through the writer, for
// the scripts: FILE is whole or as it was. The INPUTs (and standard input itself) are
// the run's inputs, refused as FILE.
// Exit codes: 0 written; 1 cannot be written; 2 bad input (usage, FILE an input).
#include <cstdio>
#include <string>
#include <vector>

#include "output/output_check.h"
#include "output/output_file.h"
#include "output/tool_exit.h"

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: write-output FILE [INPUT...] < DATA\n");
        return 2;
    }
    std::vector<std::string> inputs(argv + 2, argv + argc);
    inputs.push_back("/dev/stdin");
    try {
        output::CheckOutputs({{"write-output", argv[1], false}}, inputs);
        output::OutputFile file(argv[1]);
        char buffer[1 << 16];
        while (std::size_t read = std::fread(buffer, 1, sizeof buffer, stdin))
            file.Write({buffer, read});
        if (std::ferror(stdin))
            throw output::OutputError("standard input cannot be read");
        file.Commit();
    } catch (...) {
        return output::ToolExit("write-output", "the file");
    }
    return 0;
}
