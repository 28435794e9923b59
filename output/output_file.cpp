#include "output/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "output/temporary_files.h"

namespace output {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferBytes = 1 << 16;

#ifdef _WIN32
constexpr int kCreateFlags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY;
constexpr int kInPlaceFlags = _O_WRONLY | _O_BINARY;
int OpenFile(const char *path, int flags, int mode) { return ::_open(path, flags, mode); }
long WriteSome(int fd, const char *data, std::size_t size)
{
    return ::_write(fd, data, unsigned(std::min<std::size_t>(size, 1u << 30)));
}
int Sync(int fd) { return ::_commit(fd); }
int CloseFile(int fd) { return ::_close(fd); }
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
constexpr int kInPlaceFlags = O_WRONLY | O_NOCTTY | O_CLOEXEC;
int OpenFile(const char *path, int flags, int mode) { return ::open(path, flags, mode); }
long WriteSome(int fd, const char *data, std::size_t size) { return ::write(fd, data, size); }
int Sync(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }

// The rename itself reaches the disk only with its folder.
void SyncFolder(const std::string &folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

// Whether the path reaches its file through one of the process's own descriptors
// (/dev/stdout is /proc/self/fd/1): what it names is a stream the caller set up.
bool ThroughOwnDescriptor(fs::path path)
{
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, error); ++hops) {
        fs::path target = fs::read_symlink(path, error);
        if (error)
            return false;
        path = target.is_absolute() ? target : path.parent_path() / target;
        std::string text = path.lexically_normal().string();
        if (text.rfind("/proc/", 0) == 0 || text.rfind("/dev/fd/", 0) == 0)
            return true;
    }
    return false;
}

// The file behind every link.
std::string Resolved(const std::string &path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
    return (error ? fs::absolute(path).lexically_normal() : resolved).string();
}

std::string RandomSuffix()
{
    static std::random_device random;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += "0123456789abcdefghijklmnopqrstuvwxyz"[digit(random)];
    return suffix;
}

} // namespace

OutputFile::OutputFile(std::string path, bool toStandardOutput) : path_(std::move(path))
{
    if (toStandardOutput && path_ == kStandardOutput) {
        standardOutput_ = stdout;
        return;
    }
    std::error_code error;
    fs::file_status status = fs::status(path_, error);
    bool own = ThroughOwnDescriptor(path_);
    if (own || (fs::exists(status) && !fs::is_regular_file(status))) {
        // Appended to a regular file behind the caller's own descriptor, so that what
        // the shell's redirection holds already stays.
        Open(own && fs::is_regular_file(status));
        return;
    }
    CreateBeside(Resolved(path_));
}

void OutputFile::Open(bool appending)
{
#ifdef _WIN32
    int flags = kInPlaceFlags | (appending ? _O_APPEND : 0);
#else
    int flags = kInPlaceFlags | (appending ? O_APPEND : 0);
#endif
    descriptor_ = OpenFile(path_.c_str(), flags, 0);
    if (descriptor_ < 0)
        Fail("cannot be opened");
}

void OutputFile::CreateBeside(const std::string &target)
{
    target_ = target;
    fs::path where(target);
    std::string stem = (where.parent_path() / ("." + where.filename().string() + ".")).string();
#ifdef _WIN32
    struct _stat64 old {};
    bool replacing = ::_stat64(target.c_str(), &old) == 0;
#else
    struct stat old {};
    bool replacing = ::stat(target.c_str(), &old) == 0;
#endif
    // Private until it has the old file's mode; a new name gets the usual one (umask).
    const int mode = replacing ? 0600 : 0666;
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        std::string candidate = stem + RandomSuffix();
        descriptor_ = OpenFile(candidate.c_str(), kCreateFlags, mode);
        if (descriptor_ >= 0)
            temporary_ = candidate;
        else if (errno != EEXIST)
            Fail("cannot be created in its folder");
    }
    if (descriptor_ < 0)
        Fail("no free temporary name in its folder");
    NoteTemporary(temporary_.c_str());
#ifndef _WIN32
    if (replacing) {
        // The owner first: changing it may clear the set-id bits that the mode restores.
        // Only root may give a file away; anyone else keeps the file as theirs.
        (void)::fchown(descriptor_, old.st_uid, old.st_gid);
        if (::fchmod(descriptor_, old.st_mode & 07777) != 0)
            Fail("cannot be given the old file's mode");
    }
#endif
}

OutputFile::~OutputFile()
{
    if (descriptor_ >= 0)
        CloseFile(descriptor_);
    if (!committed_ && !temporary_.empty()) {
        std::remove(temporary_.c_str());
        ForgetTemporary(temporary_.c_str());
    }
}

void OutputFile::Fail(const std::string &what) const
{
    throw OutputError(path_ + ": " + what + " (" + std::strerror(errno) + ")");
}

void OutputFile::Write(std::string_view data)
{
    if (standardOutput_) {
        if (std::fwrite(data.data(), 1, data.size(), standardOutput_) != data.size())
            Fail("cannot be written");
        return;
    }
    if (descriptor_ < 0)
        throw OutputError(path_ + ": is closed");
    if (buffer_.size() + data.size() > kBufferBytes) {
        Drain();
        if (data.size() >= kBufferBytes) {
            buffer_ = data; // written at once, without a copy's worth of waiting
            Drain();
            return;
        }
    }
    buffer_ += data;
}

void OutputFile::Drain()
{
    std::string_view rest = buffer_;
    while (!rest.empty()) {
        long written = WriteSome(descriptor_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail("cannot be written");
        rest.remove_prefix(std::size_t(written));
    }
    buffer_.clear();
}

void OutputFile::Close()
{
    if (standardOutput_) {
        if (std::fflush(standardOutput_) != 0)
            Fail("cannot be written");
        return;
    }
    if (descriptor_ < 0)
        return;
    Drain();
    int fd = descriptor_;
    descriptor_ = -1;
    // A device or a pipe may take no sync; a new file must reach the disk before its
    // rename does.
    bool synced = temporary_.empty() || Sync(fd) == 0;
    if (CloseFile(fd) != 0 || !synced)
        Fail("cannot be written");
}

void OutputFile::Commit()
{
    Close();
    if (temporary_.empty() || committed_)
        return;
    // Over a file of that name too, as rename does on POSIX (and the system's own
    // rename does not on Windows).
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error)
        throw OutputError(path_ + ": cannot be given its name (" + error.message() + ")");
    committed_ = true;
    ForgetTemporary(temporary_.c_str());
#ifndef _WIN32
    SyncFolder(fs::path(target_).parent_path().string());
#endif
}

void WriteWholeFile(const std::string &path, std::string_view data)
{
    OutputFile file(path);
    file.Write(data);
    file.Commit();
}

} // namespace output
