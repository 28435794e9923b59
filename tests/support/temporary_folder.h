// A folder of the test's own under the system's temporary folder, made empty and
// removed with all it holds when the test ends (POSIX: mkdtemp).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace testing_support {

class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string &prefix)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder " + pattern);
        path_ = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testing_support
