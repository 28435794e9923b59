#include "output_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vesselhost {

OutputFile::OutputFile(std::string path) : path_(std::move(path))
{
    std::string::size_type slash = path_.find_last_of('/');
    std::string folder = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        Fail("cannot be created");
    temporary_ = pattern;
    // mkstemp makes the file private; an output gets the usual permissions.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        close(fd);
        Fail("cannot be opened");
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
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0)
        Fail("cannot be given its name");
    committed_ = true;
}

} // namespace vesselhost
