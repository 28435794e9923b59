// The WAV mix of a run, made by the sound library itself through its recording exports:
// everything the vehicles play from the start of the recording to its end.
#pragma once

#include <memory>

#include "host/library/dynamic_library.h"
#include "tools/vesselhost/output_file.h"

namespace vesselhost {

class SoundRecording {
public:
    // Starts the recording into the file's temporary path; throws OutputError when the
    // library has no recording exports or refuses.
    SoundRecording(const host::DynamicLibrary &library, std::unique_ptr<OutputFile> file);
    // Ends the recording, the file complete, for the run to commit.
    void End();
    OutputFile &File() { return *file_; }

private:
    typedef int (*BeginFunction)(const char *path, int sampleRate);
    typedef int (*EndFunction)();

    std::unique_ptr<OutputFile> file_;
    EndFunction end_ = nullptr;
};

} // namespace vesselhost
