#include "output/output_check.h"

#include <algorithm>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "host/base/host_error.h"
#include "output/output_file.h"

namespace output {

namespace {

namespace fs = std::filesystem;

bool Writable(const fs::path &path)
{
#ifdef _WIN32
    return _access(path.string().c_str(), 2) == 0;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}

bool IsSpecial(fs::file_type type)
{
    return type == fs::file_type::character || type == fs::file_type::block ||
           type == fs::file_type::fifo;
}

fs::path Resolved(const std::string &path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
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
                Refuse(output, "is also the file of " + other->option + " " + other->path);
        taken.push_back({&output, where});
    }
}

} // namespace output
