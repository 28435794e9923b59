#include "tools/vesselhost/output_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "host/base/host_error.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;

constexpr char kStandardOutput[] = "-";

// The temporary files not yet committed, for the signal handler: it may touch nothing
// but these (no locks, no allocation).
std::array<std::atomic<const char *>, 32> temporaries{};

void Register(const char *path)
{
    for (auto &slot : temporaries) {
        const char *empty = nullptr;
        if (slot.compare_exchange_strong(empty, path))
            return;
    }
}

void Unregister(const char *path)
{
    for (auto &slot : temporaries) {
        const char *expected = path;
        if (slot.compare_exchange_strong(expected, nullptr))
            return;
    }
}

void RemoveTemporariesAndExit(int signal)
{
    for (auto &slot : temporaries)
        if (const char *path = slot.exchange(nullptr))
#ifdef _WIN32
            std::remove(path);
#else
            ::unlink(path);
#endif
    std::_Exit(128 + signal);
}

bool Writable(const fs::path &path)
{
#ifdef _WIN32
    return _access(path.string().c_str(), 2) == 0;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}

// Devices and FIFOs are written in place: they hold no file to replace.
bool IsSpecial(fs::file_type type)
{
    return type == fs::file_type::character || type == fs::file_type::block ||
           type == fs::file_type::fifo;
}

// Whether the path reaches its file through one of the process's own descriptor links
// (/dev/stdout is /proc/self/fd/1): what it names is a stream, written in place.
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

// Where the data lands: the file behind every link, so a link is never replaced.
fs::path Resolved(const std::string &path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? fs::absolute(path).lexically_normal() : resolved;
}

bool Within(const fs::path &path, const fs::path &folder)
{
    auto [folderEnd, pathAt] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

[[noreturn]] void Refuse(const OutputRequest &output, const std::string &why)
{
    throw host::Error(output.option + " " + output.path + ": " + why);
}

} // namespace

void CheckOutputs(const std::vector<OutputRequest> &outputs, const std::vector<std::string> &inputs)
{
    std::vector<std::pair<const OutputRequest *, fs::path>> taken;
    for (const OutputRequest &output : outputs) {
        if (output.path.empty())
            continue;
        if (output.path == kStandardOutput) {
            if (!output.toStandardOutput)
                Refuse(output, "standard output (-) takes only the trace and the telemetry");
            for (const auto &[other, where] : taken)
                if (where == kStandardOutput)
                    Refuse(output, "standard output is already taken by " + other->option);
            taken.push_back({&output, kStandardOutput});
            continue;
        }
        std::error_code error;
        fs::path where = Resolved(output.path);
        fs::file_status status = fs::status(where, error);
        if (fs::is_directory(status))
            Refuse(output, "is a folder; expected a file name");
        if (fs::exists(status) && !fs::is_regular_file(status) && !IsSpecial(status.type()))
            Refuse(output, "is neither a file, a device nor a FIFO");
        fs::path folder = where.parent_path();
        if (!fs::is_directory(folder, error))
            Refuse(output, "its folder " + folder.string() + " does not exist");
        if (!Writable(fs::exists(status) && IsSpecial(status.type()) ? where : folder))
            Refuse(output, "cannot be written (no permission)");
        // As written and behind its links: a link into an input folder is refused too.
        const fs::path named = fs::absolute(output.path).lexically_normal();
        for (const std::string &input : inputs) {
            fs::path in = Resolved(input);
            for (const fs::path &path : {named, where})
                if (path == in || (fs::is_directory(in, error) && Within(path, in)) ||
                    fs::equivalent(path, in, error))
                    Refuse(output,
                           "is an input of the run (" + input + "); it would be overwritten");
        }
        // A character device (/dev/null) takes any number of outputs.
        if (status.type() == fs::file_type::character)
            continue;
        for (const auto &[other, path] : taken)
            if (path == where || fs::equivalent(path, where, error))
                Refuse(output, "is also the file of " + other->option);
        taken.push_back({&output, where});
    }
}

OutputFile::OutputFile(std::string path, bool toStandardOutput) : path_(std::move(path))
{
    if (toStandardOutput && path_ == kStandardOutput) {
        file_ = stdout;
        standardOutput_ = true;
        return;
    }
    std::error_code error;
    fs::file_status status = fs::status(path_, error);
    if (IsSpecial(status.type()) || ThroughOwnDescriptor(path_)) {
        file_ = std::fopen(path_.c_str(), "wb");
        if (!file_)
            Fail("cannot be opened");
        return;
    }
    // A name of its own beside the file behind any link, with a random suffix not yet
    // taken; the link itself stays.
    fs::path target = Resolved(path_);
    std::string folder = target.parent_path().string() + "/";
    std::string name = target.filename().string();
    target_ = target.string();
    std::random_device random;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    for (;;) {
        std::string candidate = folder + "." + name + ".";
        for (int i = 0; i < 6; ++i)
            candidate += "0123456789abcdefghijklmnopqrstuvwxyz"[digit(random)];
        if (fs::exists(candidate, error))
            continue;
        file_ = std::fopen(candidate.c_str(), "wb");
        if (!file_)
            Fail("cannot be created");
        temporary_ = candidate;
        Register(temporary_.c_str());
        return;
    }
}

OutputFile::~OutputFile()
{
    if (file_ && !standardOutput_)
        std::fclose(file_);
    if (!committed_ && !temporary_.empty()) {
        Unregister(temporary_.c_str());
        std::remove(temporary_.c_str());
    }
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
    int failed = standardOutput_ ? std::fflush(file_) : std::fclose(file_);
    file_ = nullptr;
    if (failed != 0)
        Fail("cannot be written");
}

void OutputFile::Commit()
{
    Close();
    if (temporary_.empty())
        return; // written in place
    // Replaces a file of that name, as rename does on POSIX (and the system's own
    // rename does not on Windows).
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error)
        throw OutputError(path_ + ": cannot be given its name (" + error.message() + ")");
    Unregister(temporary_.c_str());
    committed_ = true;
}

SignalCleanup::SignalCleanup()
{
    std::signal(SIGINT, RemoveTemporariesAndExit);
    std::signal(SIGTERM, RemoveTemporariesAndExit);
}

SignalCleanup::~SignalCleanup()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

} // namespace vesselhost
