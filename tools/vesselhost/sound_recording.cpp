#include "tools/vesselhost/sound_recording.h"

#include <cmath>
#include <string>

#include "host/base/host_error.h"
#include "host/core/simulator.h"
#include "output/output_file.h"

namespace vesselhost {

namespace {

constexpr char kBeginExport[] = "StandInSoundBeginRecording";
constexpr char kEndExport[] = "StandInSoundEndRecording";

// CD quality: the vehicles' notes reach 22100 Hz.
constexpr int kSampleRate = 44100;

// The library holds the mix and, while it limits it, a gain for each sample: 8 bytes a
// sample, 2 GiB at most (about 100 minutes).
constexpr double kBytesPerSample = 8;
constexpr double kMostBytes = 2.0 * (1 << 30);

// The program's own calls into the library stay out of the trace of the modules' calls.
class TraceOff {
public:
    TraceOff() : saved_(host::Simulator::Get().Trace().enabled)
    {
        host::Simulator::Get().Trace().enabled = false;
    }
    ~TraceOff() { host::Simulator::Get().Trace().enabled = saved_; }

private:
    bool saved_;
};

} // namespace

void SoundRecording::CheckLength(const std::string &path, double seconds)
{
    const double bytes = seconds * kSampleRate * kBytesPerSample;
    if (bytes > kMostBytes)
        throw host::Error(path + ": the mix of a " + std::to_string(std::lround(seconds)) +
                          " s run would need " + std::to_string(std::llround(bytes / (1 << 20))) +
                          " MiB of memory; at most " +
                          std::to_string(std::llround(kMostBytes / (1 << 20))) + " MiB (a run of " +
                          std::to_string(std::llround(kMostBytes / kBytesPerSample / kSampleRate)) +
                          " s) can be recorded");
}

SoundRecording::SoundRecording(const host::DynamicLibrary &library, std::string path)
    : path_(std::move(path))
{
    auto begin = reinterpret_cast<BeginFunction>(library.Symbol(kBeginExport));
    end_ = reinterpret_cast<EndFunction>(library.Symbol(kEndExport));
    if (!begin || !end_)
        throw output::OutputError(path_ + ": the sound library " + library.Path() +
                                  " cannot record (it exports no \"" + kBeginExport + "\" and \"" +
                                  kEndExport + "\")");
    TraceOff traceOff;
    if (!begin(path_.c_str(), kSampleRate))
        throw output::OutputError(path_ + ": the sound library refused to record into it");
}

void SoundRecording::End()
{
    TraceOff traceOff;
    if (!end_())
        throw output::OutputError(path_ + ": the sound library could not write the recording");
}

} // namespace vesselhost
