// The one way every tool writes a file, so that an output never harms what it names:
// - a regular file, or a name not yet taken: the data go into a new file beside it,
//   created exclusively (never through a link) under a name no one can guess, given
//   the old file's mode and owner (where permitted); at Commit it is flushed to disk
//   and renamed over the target. Until then the old file is as it was, and a failure,
//   the object's end or a terminating signal removes the new one;
// - a link to a regular file: the file it names is replaced so; the link stays;
// - anything else (a character device, a FIFO, a terminal, or a link to one of them,
//   or a path through the process's own descriptors such as /dev/stdout): opened once
//   and written in place as the data come; never replaced;
// - `-`, where the caller allows it: standard output.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace output {

// The name that stands for standard output, where the caller allows it.
inline constexpr char kStandardOutput[] = "-";

// An output that cannot be written (a runtime failure, not bad input).
struct OutputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class OutputFile {
public:
    // Opens the output as above. Throws OutputError.
    explicit OutputFile(std::string path, bool toStandardOutput = false);
    ~OutputFile(); // removes the new file unless committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const std::string &Path() const { return path_; }
    bool InPlace() const { return temporary_.empty(); }

    void Write(std::string_view data);
    // Everything written is handed to the system (and, for a new file, flushed to
    // disk); the file is closed but keeps its place for Commit. No more writes.
    void Close();
    // Closes the file and gives a new file the target's name.
    void Commit();

private:
    void Open(bool appending);
    void CreateBeside(const std::string &target);
    void Drain();
    [[noreturn]] void Fail(const std::string &what) const;

    std::string path_;
    std::string target_;    // the file behind any link, which the new file replaces
    std::string temporary_; // the new file; empty when written in place
    std::string buffer_;
    int descriptor_ = -1;
    std::FILE *standardOutput_ = nullptr;
    bool committed_ = false;
};

// The whole of `data` as the output at `path`, written as above. Throws OutputError.
void WriteWholeFile(const std::string &path, std::string_view data);

} // namespace output
