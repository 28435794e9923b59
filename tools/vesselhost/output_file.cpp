#include "tools/vesselhost/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace vesselhost {

OutputFile::OutputFile(std::string path) : path_(std::move(path))
{
    std::string::size_type slash = path_.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    // A name of its own beside the target, with a random suffix not yet taken.
    std::random_device random;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    for (;;) {
        std::string candidate = folder + "." + name + ".";
        for (int i = 0; i < 6; ++i)
            candidate += "0123456789abcdefghijklmnopqrstuvwxyz"[digit(random)];
        std::error_code ignored;
        if (std::filesystem::exists(candidate, ignored))
            continue;
        file_ = std::fopen(candidate.c_str(), "wb");
        if (!file_)
            Fail("cannot be created");
        temporary_ = candidate;
        return;
    }
}

OutputFile::~OutputFile()
{
    if (file_)
        std::fclose(file_);
    if (!committed_ && !temporary_.empty())
        std::remove(temporary_.c_str());
}

void OutputFile::Fail(const std::string &what) const
{
    throw OutputError(path_ + ": " + what + " (" + std::strerror(errno) + ")");
}

void OutputFile::Write(std::string_view data)
{
    if (!file_)
        Fail("is closed");
    if (std::fwrite(data.data(), 1, data.size(), file_) != data.size())
        Fail("cannot be written");
}

void OutputFile::Close()
{
    if (!file_)
        return;
    int failed = std::fclose(file_);
    file_ = nullptr;
    if (failed != 0)
        Fail("cannot be written");
}

void OutputFile::Commit()
{
    Close();
    // Replaces a file of that name, as rename does on POSIX (and the system's own
    // rename does not on Windows).
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (error)
        throw OutputError(path_ + ": cannot be given its name (" + error.message() + ")");
    committed_ = true;
}

} // namespace vesselhost
