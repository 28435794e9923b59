// Test support shared by the sound tests: a fresh working folder per test, and the
// sound library's calls in the host's trace, written out as text.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "call_trace.h"

namespace sound_testing {

// Makes a fresh empty folder the current one for the object's life: the sound log
// is written to the current folder.
class InTempFolder {
public:
    InTempFolder() : previous_(std::filesystem::current_path())
    {
        std::string name = (std::filesystem::temp_directory_path() / "sound-test-XXXXXX").string();
        if (!mkdtemp(name.data()))
            std::abort();
        path_ = name;
        std::filesystem::current_path(path_);
    }
    ~InTempFolder()
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    InTempFolder(const InTempFolder &) = delete;
    InTempFolder &operator=(const InTempFolder &) = delete;

    const std::filesystem::path &Path() const { return path_; }

private:
    std::filesystem::path previous_, path_;
};

inline std::string Describe(const host::TraceValue &value)
{
    if (auto *i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (auto *d = std::get_if<double>(&value)) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", *d);
        return text;
    }
    if (auto *s = std::get_if<std::string>(&value))
        return "\"" + *s + "\"";
    if (auto *v = std::get_if<host::VesselRef>(&value))
        return "vessel " + std::to_string(v->id);
    if (std::holds_alternative<std::nullptr_t>(value))
        return "null";
    return "?";
}

// A call as text: "PlayVesselWaveOBSound3(0, 1, 1, 190, 11025) = 1".
inline std::string Describe(const host::TraceCall &call)
{
    std::string text = std::string(call.call) + "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        text += (i ? ", " : "") + Describe(call.args[i]);
    text += ")";
    if (call.ret)
        text += " = " + Describe(*call.ret);
    return text;
}

// The exports of the sound library, whose calls it notes in the trace.
inline bool IsSoundLibraryCall(const host::TraceCall &call)
{
    static const char *const kExports[] = {
        "LoadVesselWaveOBSound3",   "PlayVesselWaveOBSound3", "PlayVesselExclusiveWaveOBSound3",
        "StopVesselWave3",          "IsPlayingVesselWave3",   "IsPlayingRadioVesselWave",
        "SoundOption3",             "SetFrequency",           "GetVesselSoundID3",
        "ReplaceStockOBSound3",     "StandInSoundBeginRecording",
        "StandInSoundEndRecording",
    };
    for (const char *name : kExports)
        if (std::string_view(call.call) == name)
            return true;
    return false;
}

// Every call that reached the sound library, as text, in order.
inline std::vector<std::string> SoundLibraryCalls(const host::CallTrace &trace)
{
    std::vector<std::string> out;
    for (const host::TraceCall &call : trace.Calls())
        if (IsSoundLibraryCall(call))
            out.push_back(Describe(call));
    return out;
}

} // namespace sound_testing
