// An output file written whole or not at all: the data goes to a temporary file in the
// same folder, which takes the final name only when the run succeeded.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vesselhost {

// An output that cannot be written (a runtime failure, not bad input).
struct OutputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class OutputFile {
public:
    // Creates the temporary file beside `path`; throws OutputError.
    explicit OutputFile(std::string path);
    ~OutputFile(); // removes the temporary file unless committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const std::string &Path() const { return path_; }
    // Where the data goes until Commit; for writers outside this process's streams.
    const std::string &TemporaryPath() const { return temporary_; }

    void Write(std::string_view data);
    // Closes the stream, keeping the temporary file, for another writer to fill it.
    void Close();
    // Closes the file and gives it its final name.
    void Commit();

private:
    [[noreturn]] void Fail(const std::string &what) const;

    std::string path_, temporary_;
    std::FILE *file_ = nullptr;
    bool committed_ = false;
};

} // namespace vesselhost
