#include "soundlib/recorder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace standin {

bool Recorder::Begin(const std::string &path, int sampleRate, double now)
{
    if (active_ || path.empty() || sampleRate <= 0)
        return false;
    active_ = true;
    path_ = path;
    sampleRate_ = sampleRate;
    startTime_ = now;
    track_.clear();
    return true;
}

void Recorder::AdvanceTo(double now, const SoundBank &bank)
{
    if (!active_ || now <= startTime_)
        return;
    auto end = std::size_t(std::floor((now - startTime_) * sampleRate_));
    std::size_t first = track_.size();
    if (end <= first)
        return;
    track_.resize(end, 0.0f);
    bank.ForEachSlot([&](const Slot &slot) { Mix(slot, first, end); });
}

void Recorder::Mix(const Slot &slot, std::size_t first, std::size_t end)
{
    if (!slot.started || slot.heldSilent || !slot.wave || slot.wave->Frames() == 0)
        return;
    const std::vector<float> &samples = slot.wave->samples;
    const double frames = double(samples.size());
    for (std::size_t i = first; i < end; ++i) {
        double position = slot.PositionAt(startTime_ + double(i) / sampleRate_);
        if (position < 0)
            continue; // an output sample just before the sound started
        if (slot.loop)
            position = std::fmod(position, frames);
        else if (position >= frames)
            return;
        // Linear interpolation toward the next frame (the first again in a loop).
        auto index = std::size_t(position);
        double fraction = position - double(index);
        std::size_t next = index + 1;
        float after = next < samples.size() ? samples[next] : slot.loop ? samples[0] : 0.0f;
        double sample = samples[index] * (1 - fraction) + after * fraction;
        track_[i] += float(slot.gain * sample);
    }
}

void Recorder::Limit()
{
    // The gain each sample needs, then ramps: forward the release (the gain climbs back
    // by at most 1 over the release time), backward the attack (it falls ahead of a
    // peak by at most 1 over the attack time). Each pass only lowers the gain, so every
    // sample ends at or below the ceiling.
    std::vector<float> gain(track_.size(), 1.0f);
    bool loud = false;
    for (std::size_t i = 0; i < track_.size(); ++i) {
        float size = std::abs(track_[i]);
        if (size > kLimiterCeiling) {
            gain[i] = kLimiterCeiling / size;
            loud = true;
        }
    }
    if (!loud)
        return;
    const float release = float(1.0 / (kLimiterRelease * sampleRate_));
    const float attack = float(1.0 / (kLimiterAttack * sampleRate_));
    for (std::size_t i = 1; i < gain.size(); ++i)
        gain[i] = std::min(gain[i], gain[i - 1] + release);
    for (std::size_t i = gain.size() - 1; i-- > 0;)
        gain[i] = std::min(gain[i], gain[i + 1] + attack);
    for (std::size_t i = 0; i < track_.size(); ++i)
        track_[i] *= gain[i];
}

bool Recorder::End(double now, const SoundBank &bank)
{
    if (!active_)
        return false;
    AdvanceTo(now, bank);
    active_ = false;
    Limit();
    bool written = Write();
    track_.clear();
    track_.shrink_to_fit();
    return written;
}

bool Recorder::Write() const
{
    // Written beside the target and renamed into place once complete; a device or a
    // FIFO is written in place, never replaced.
    std::error_code error;
    auto type = std::filesystem::status(path_, error).type();
    const bool inPlace = type == std::filesystem::file_type::character ||
                         type == std::filesystem::file_type::block ||
                         type == std::filesystem::file_type::fifo;
    const std::string partial = inPlace ? path_ : path_ + ".partial";
    SF_INFO info{};
    info.samplerate = sampleRate_;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE); // a rounding above full scale clips
    auto count = sf_count_t(track_.size());
    bool complete = sf_write_float(file, track_.data(), count) == count;
    complete = sf_close(file) == 0 && complete;
    if (inPlace)
        return complete;
    // Over a file of that name too (which the system's rename refuses on Windows).
    if (complete)
        std::filesystem::rename(partial, path_, error);
    if (complete && !error)
        return true;
    std::remove(partial.c_str());
    return false;
}

} // namespace standin
