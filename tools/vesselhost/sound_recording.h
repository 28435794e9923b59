// The WAV mix of a run, made by the sound library itself through its recording exports:
// everything the vehicles play from the start of the recording to its end. The library
// writes the file through the tools' one writer when the recording ends.
#pragma once

#include <string>

#include "host/library/dynamic_library.h"

namespace vesselhost {

class SoundRecording {
public:
    // The library mixes the whole run in memory: a run too long for it is refused
    // before it starts (host::Error), with the memory it would need.
    static void CheckLength(const std::string &path, double seconds);

    // Starts the recording into `path`; throws output::OutputError when the library has
    // no recording exports or refuses.
    SoundRecording(const host::DynamicLibrary &library, std::string path);
    // Ends the recording: the library writes the file.
    void End();

private:
    typedef int (*BeginFunction)(const char *path, int sampleRate);
    typedef int (*EndFunction)();

    std::string path_;
    EndFunction end_ = nullptr;
};

} // namespace vesselhost
