// The outputs of a run, checked as a whole before anything runs.
#pragma once

#include <string>
#include <vector>

namespace output {

// One output the run was asked for.
struct OutputRequest {
    std::string option;    // "--trace": names the output in messages
    std::string path;      // as given; empty when not asked for
    bool toStandardOutput; // whether `-` means standard output
};

// Checks every requested output: a file name at all, its folder there and writable,
// not a folder, not one of the run's inputs (`inputs`: files, or folders whose files
// are all inputs; as named and behind their links), and no two outputs on one file (a
// character device such as /dev/null takes any number). Throws host::Error (bad
// input) naming the output and what it collides with.
void CheckOutputs(const std::vector<OutputRequest> &outputs,
                  const std::vector<std::string> &inputs);

} // namespace output
