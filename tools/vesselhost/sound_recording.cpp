#include "sound_recording.h"

namespace vesselhost {

namespace {

constexpr char kBeginExport[] = "StandInSoundBeginRecording";
constexpr char kEndExport[] = "StandInSoundEndRecording";

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
    if (!begin(file_->TemporaryPath().c_str()))
        throw OutputError(file_->Path() + ": the sound library refused to record into it");
}

void SoundRecording::Commit()
{
    if (!end_())
        throw OutputError(file_->Path() + ": the sound library could not finish the recording");
    file_->Commit();
}

} // namespace vesselhost
