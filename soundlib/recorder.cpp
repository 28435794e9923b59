#include "soundlib/recorder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "output/output_file.h"

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

namespace {

void Append(std::string &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char((value >> (8 * i)) & 0xff);
}

// A 16-bit PCM mono WAV header for this many samples.
std::string WaveHeader(std::size_t samples, int sampleRate)
{
    const auto data = std::uint32_t(samples * 2);
    std::string header = "RIFF";
    Append(header, 36 + data, 4);
    header += "WAVEfmt ";
    Append(header, 16, 4);
    Append(header, 1, 2); // PCM
    Append(header, 1, 2); // mono
    Append(header, std::uint32_t(sampleRate), 4);
    Append(header, std::uint32_t(sampleRate) * 2, 4);
    Append(header, 2, 2);
    Append(header, 16, 2);
    header += "data";
    Append(header, data, 4);
    return header;
}

// As libsndfile converts with clipping on: a rounding above full scale clips.
std::int16_t Pcm16(float sample)
{
    float scaled = sample * float(8.0 * 0x10000000);
    if (scaled >= 1.0 * 0x7FFFFFFF)
        return 0x7FFF;
    if (scaled <= -8.0 * 0x10000000)
        return -0x8000;
    return std::int16_t(std::lrintf(scaled) >> 16);
}

} // namespace

bool Recorder::Write() const
{
    // Through the tools' one writer: whole or as it was, a device or a FIFO in place.
    try {
        output::OutputFile file(path_);
        file.Write(WaveHeader(track_.size(), sampleRate_));
        constexpr std::size_t kChunk = 1 << 15;
        std::string bytes;
        for (std::size_t first = 0; first < track_.size(); first += kChunk) {
            bytes.clear();
            for (std::size_t i = first; i < std::min(track_.size(), first + kChunk); ++i)
                Append(bytes, std::uint16_t(Pcm16(track_[i])), 2);
            file.Write(bytes);
        }
        file.Commit();
        return true;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "OrbiterSound.dll: %s\n", e.what());
        return false;
    }
}

} // namespace standin
