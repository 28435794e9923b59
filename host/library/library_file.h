// A library file checked before the loader maps it: a file that is not a regular one
// would block or fail the loader, and one cut short would be mapped past its end (the
// first touch of a missing page ends the process with SIGBUS).
#pragma once

#include <string>

namespace host {

// Throws host::Error naming the path: not a regular file, or "truncated" when the
// extents its headers give (the program headers' and sections' on ELF, the sections'
// raw data on PE) pass the file's size. A file of another format is left to the loader.
void CheckLibraryFile(const std::string &path);

} // namespace host
