// What a writer puts its bytes through on the way to an output file: straight in, or
// compressed, streaming, when the file's name ends `.gz` (gzip, through zlib) or `.zst`
// (zstd, through libzstd).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "output/output_file.h"

namespace vesselhost {

class OutputStream {
public:
    virtual ~OutputStream() = default;

    // The stream the file's name asks for.
    static std::unique_ptr<OutputStream> For(std::unique_ptr<output::OutputFile> file);
    // Throws host::Error (bad input) for a compressed name in a build without that
    // library; For checks it too.
    static void CheckName(const std::string &path);

    virtual void Write(std::string_view data) = 0;
    // Ends the stream (a compressed one writes its last block) and closes the file, for
    // the run to commit.
    virtual void Finish() = 0;
    virtual output::OutputFile &File() = 0;
};

} // namespace vesselhost
