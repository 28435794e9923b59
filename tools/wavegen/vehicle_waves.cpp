#include "tools/wavegen/vehicle_waves.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace wavegen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A small generator of our own, so that every build writes the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double Next() // -1..1
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// One cylinder firing, t seconds after it began: a soft-edged thump of two low
// resonances and a breath of filtered noise. Starts at 0, so a firing never clicks.
struct Firing {
    double strength;
    double Value(double t, double noise) const
    {
        double attack = 1 - std::exp(-t / 0.0025);
        double body = std::exp(-t / 0.020) *
                      (0.60 * std::sin(2 * kPi * 68 * t) + 0.30 * std::sin(2 * kPi * 141 * t) +
                       0.12 * std::sin(2 * kPi * 415 * t));
        double breath = 0.25 * std::exp(-t / 0.010) * noise;
        return strength * attack * (body + breath);
    }
};
constexpr double kFiringLength = 0.15; // seconds after which a firing is silent enough

// Low-passed noise, one value per sample.
std::vector<double> SmoothNoise(std::size_t count, double rate, double cutoff, std::uint32_t seed)
{
    Noise noise(seed);
    double a = 1 - std::exp(-2 * kPi * cutoff / rate), y = 0;
    std::vector<double> out(count);
    for (double &v : out) {
        y += a * (noise.Next() - y);
        v = y;
    }
    return out;
}

// Scales the samples so that the loudest stands at `peak`.
std::vector<float> Normalised(const std::vector<double> &samples, double peak)
{
    double loudest = 1e-12;
    for (double s : samples)
        loudest = std::max(loudest, std::abs(s));
    std::vector<float> out;
    out.reserve(samples.size());
    for (double s : samples)
        out.push_back(float(s * peak / loudest));
    return out;
}

// Adds the firings at `times` (seconds) into `out`; `wrap` adds a firing's tail that runs
// past the end at the start instead, as a loop plays it.
void AddFirings(std::vector<double> &out, double rate, const std::vector<double> &times,
                const std::vector<double> &strengths, bool wrap, std::uint32_t seed)
{
    std::vector<double> breath =
        SmoothNoise(std::size_t(kFiringLength * rate) + 1, rate, 900, seed);
    for (std::size_t k = 0; k < times.size(); ++k) {
        Firing firing{strengths[k]};
        auto first = std::size_t(std::ceil(times[k] * rate));
        for (std::size_t i = 0; i < breath.size(); ++i) {
            std::size_t at = first + i;
            if (at >= out.size()) {
                if (!wrap)
                    break;
                at %= out.size();
            }
            out[at] += firing.Value(double(first + i) / rate - times[k], breath[i]);
        }
    }
}

} // namespace

Synthesised EngineRun()
{
    constexpr int kRate = 11025;
    constexpr double kSeconds = 2.0;
    constexpr double kFiringRate = 32; // per second: 64 firings in the loop
    const std::size_t count = std::size_t(kRate * kSeconds);
    std::vector<double> out(count, 0.0);
    std::vector<double> times, strengths;
    Noise uneven(7);
    for (int k = 0; k < int(kFiringRate * kSeconds); ++k) {
        times.push_back(k / kFiringRate);
        strengths.push_back(0.85 + 0.15 * uneven.Next()); // no two firings quite alike
    }
    AddFirings(out, kRate, times, strengths, true, 11);
    // A hum at the firing rate and half of it, a whole number of cycles in the loop.
    for (std::size_t i = 0; i < count; ++i) {
        double t = double(i) / kRate;
        out[i] += 0.18 * std::sin(2 * kPi * kFiringRate * t) + 0.10 * std::sin(2 * kPi * 16 * t);
    }
    return {"Varlok-go.wav", kRate, Normalised(out, 0.7)};
}

Synthesised EngineStart()
{
    constexpr int kRate = 22050;
    constexpr double kSeconds = 2.6;
    const std::size_t count = std::size_t(kRate * kSeconds);
    std::vector<double> out(count, 0.0);
    // The starter motor: a whine that rises as it spins up, for the first second, its
    // load pulsing as the pistons pass their compressions.
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double t = double(i) / kRate;
        if (t > 1.1)
            break;
        double pitch = 150 + 70 * (1 - std::exp(-t / 0.25));
        phase += 2 * kPi * pitch / kRate;
        double level = std::min(t / 0.05, 1.0) * std::max(0.0, std::min(1.0, (1.1 - t) / 0.2));
        double load = 0.75 + 0.25 * std::sin(2 * kPi * 6 * t);
        double whine = 0;
        for (int h = 1; h <= 6; ++h)
            whine += std::sin(h * phase) / h;
        out[i] += 0.12 * level * load * whine;
    }
    // The firings: sparse and hesitant at first, then quickening to idle; the whole
    // sound fades at the end, where the running engine's loop takes over.
    std::vector<double> times, strengths;
    Noise uneven(23);
    double t = 0.55;
    while (t < kSeconds - kFiringLength) {
        double rate = t < 0.9 ? 6 : std::min(32.0, 6 + 60 * (t - 0.9));
        times.push_back(t);
        strengths.push_back((t < 1.2 ? 1.2 : 1.0) * (0.85 + 0.15 * uneven.Next()));
        t += 1 / rate;
    }
    AddFirings(out, kRate, times, strengths, false, 29);
    for (std::size_t i = 0; i < count; ++i) {
        double left = kSeconds - double(i) / kRate;
        out[i] *= std::min(1.0, left / 0.4);
    }
    return {"Varlok-start.wav", kRate, Normalised(out, 0.8)};
}

Synthesised CannonShot()
{
    constexpr int kRate = 22050;
    constexpr double kSeconds = 2.2;
    const std::size_t count = std::size_t(kRate * kSeconds);
    std::vector<double> out(count, 0.0);
    std::vector<double> crack = SmoothNoise(count, kRate, 4000, 41);
    std::vector<double> rumble = SmoothNoise(count, kRate, 180, 43);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double t = double(i) / kRate;
        double attack = 1 - std::exp(-t / 0.0008);
        // The boom falls in pitch as the blast spreads.
        double pitch = 38 + 40 * std::exp(-t / 0.08);
        phase += 2 * kPi * pitch / kRate;
        double boom = std::exp(-t / 0.35) * std::sin(phase);
        double blast = std::exp(-t / 0.03) * crack[i];
        double roll = std::exp(-t / 0.7) * rumble[i] * 3;
        out[i] = attack * (0.9 * boom + 0.8 * blast + 0.5 * roll);
    }
    // An echo from far off, softer and duller.
    std::vector<double> dry = out;
    auto delay = std::size_t(0.38 * kRate);
    for (std::size_t i = delay + 1; i < count; ++i)
        out[i] += 0.15 * (dry[i - delay] + dry[i - delay - 1]);
    for (std::size_t i = 0; i < count; ++i)
        out[i] *= std::min(1.0, (kSeconds - double(i) / kRate) / 0.3);
    return {"cannon.wav", kRate, Normalised(out, 0.85)};
}

} // namespace wavegen
