// Mixes everything the sound bank sounds into one mono track while a recording runs,
// following simulated time, and writes it as a WAV file when the recording ends.
// The track is kept in memory (4 bytes a sample) until then, so a file is either
// written whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "soundlib/sound_bank.h"

namespace standin {

class Recorder {
public:
    // Starts a recording at simulated time `now`; false when one runs already, the
    // path is empty or the sample rate is not positive.
    bool Begin(const std::string &path, int sampleRate, double now);
    bool Active() const { return active_; }

    // Mixes what the bank sounds from the last rendered instant up to `now`. The
    // bank's state must be the one that held over that span: call before changing it.
    void AdvanceTo(double now, const SoundBank &bank);

    // Mixes up to `now`, limits the mix and writes the file; false when no recording
    // runs or the file cannot be written (then no file is left at the path). The
    // recording ends either way. A path that is a device or a FIFO is written in place.
    bool End(double now, const SoundBank &bank);

    // The mix never clips: where it would pass this level, a limiter turns the gain down
    // just enough, ramping down over kLimiterAttack ahead of the peak and back up over
    // kLimiterRelease after it, so no click is heard. Quiet mixes pass unchanged.
    static constexpr float kLimiterCeiling = 0.97f;   // of full scale, about -0.26 dBFS
    static constexpr double kLimiterAttack = 0.005;   // s
    static constexpr double kLimiterRelease = 0.2;    // s

private:
    void Limit();
    void Mix(const Slot &slot, std::size_t first, std::size_t end);
    bool Write() const;

    bool active_ = false;
    std::string path_;
    int sampleRate_ = 0;
    double startTime_ = 0;
    std::vector<float> track_;
};

} // namespace standin
