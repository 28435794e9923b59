// The run's output files. Every output is named in one list (OutputRequest), checked as
// a whole before the first step, and written so that it never harms what it names: a
// regular file, or a path not there yet, is written through a temporary file beside it
// that takes the name only when the whole run has succeeded; a device or a FIFO (or a
// link to one) is written in place; `-` is standard output where the output allows it.
// A failure, SIGINT or SIGTERM removes every temporary file and commits nothing.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vesselhost {

// An output that cannot be written (a runtime failure, not bad input).
struct OutputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One output the run was asked for.
struct OutputRequest {
    std::string option;        // "--trace": names the output in messages
    std::string path;          // as given; empty when not asked for
    bool toStandardOutput;     // whether `-` means standard output
};

// Checks every requested output before the run starts: a file name at all, its folder
// there and writable, not a folder, not one of the run's inputs (`inputs`: files, or
// folders whose files are all inputs), and no two outputs on one path (a character
// device such as /dev/null takes any number). Throws host::Error (bad input).
void CheckOutputs(const std::vector<OutputRequest> &outputs, const std::vector<std::string> &inputs);

class OutputFile {
public:
    // Opens the output: a temporary file beside a regular or new path, the path itself
    // for a device or FIFO, standard output for `-` when allowed. Throws OutputError.
    explicit OutputFile(std::string path, bool toStandardOutput = false);
    ~OutputFile(); // removes the temporary file unless committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const std::string &Path() const { return path_; }
    // Where the data goes until Commit, for writers outside this process's streams: the
    // temporary file, or the path itself when written in place.
    const std::string &TemporaryPath() const { return temporary_.empty() ? path_ : temporary_; }
    bool InPlace() const { return temporary_.empty(); }

    void Write(std::string_view data);
    // Closes the stream (flushing standard output), keeping a temporary file for
    // another writer to fill or for Commit to name.
    void Close();
    // Closes the file and gives a temporary file its final name.
    void Commit();

private:
    [[noreturn]] void Fail(const std::string &what) const;

    std::string path_;
    std::string target_;    // the file behind any link, which the temporary file becomes
    std::string temporary_; // empty when written in place
    std::FILE *file_ = nullptr;
    bool standardOutput_ = false;
    bool committed_ = false;
};

// Until the returned guard goes, SIGINT and SIGTERM remove every temporary output file
// and end the program with 128 + the signal (130, 143).
class SignalCleanup {
public:
    SignalCleanup();
    ~SignalCleanup();
    SignalCleanup(const SignalCleanup &) = delete;
    SignalCleanup &operator=(const SignalCleanup &) = delete;
};

} // namespace vesselhost
