#include "tools/vesselhost/sound_recording.h"

#include "host/core/simulator.h"

namespace vesselhost {

namespace {

constexpr char kBeginExport[] = "StandInSoundBeginRecording";
constexpr char kEndExport[] = "StandInSoundEndRecording";

// CD quality: the vehicles' notes reach 22100 Hz.
constexpr int kSampleRate = 44100;

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

SoundRecording::SoundRecording(const host::DynamicLibrary &library,
                               std::unique_ptr<OutputFile> file)
    : file_(std::move(file))
{
    auto begin = reinterpret_cast<BeginFunction>(library.Symbol(kBeginExport));
    end_ = reinterpret_cast<EndFunction>(library.Symbol(kEndExport));
    if (!begin || !end_)
        throw OutputError(file_->Path() + ": the sound library " + library.Path() +
                          " cannot record (it exports no \"" + kBeginExport + "\" and \"" +
                          kEndExport + "\")");
    file_->Close();
    TraceOff traceOff;
    if (!begin(file_->TemporaryPath().c_str(), kSampleRate))
        throw OutputError(file_->Path() + ": the sound library refused to record into it");
}

void SoundRecording::End()
{
    TraceOff traceOff;
    if (!end_())
        throw OutputError(file_->Path() + ": the sound library could not finish the recording");
}

} // namespace vesselhost
