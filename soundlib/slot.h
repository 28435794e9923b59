// One wave slot of a sound id: the loaded wave and how it is sounding. The play
// position advances with simulated time at the playing frequency, so a one-shot ends
// after its wave's length at that frequency and a frequency change keeps the position.
#pragma once

#include <optional>

#include "soundlib/wave.h"

namespace standin {

// Frequencies below this many hertz play at it.
inline constexpr double kLowestFrequency = 100;
// Volumes run from 0 (silent) to this (full scale); higher ones play at full scale.
inline constexpr int kFullVolume = 255;

struct Slot {
    std::optional<Wave> wave; // nothing until loaded
    bool started = false;     // played and not stopped since
    bool heldSilent = false;  // takes plays but never sounds (StandInSoundHoldSilent)
    bool loop = false;
    double gain = 0;          // 0..1
    double rate = 0;          // wave frames per second of simulated time
    double anchorPosition = 0; // wave frames played at anchorTime
    double anchorTime = 0;     // s of simulated time

    double PositionAt(double t) const { return anchorPosition + (t - anchorTime) * rate; }

    bool SoundingAt(double t) const
    {
        return started && !heldSilent && wave && wave->Frames() > 0 &&
               (loop || PositionAt(t) < double(wave->Frames()));
    }

    // Frames per second for a frequency in hertz; 0 (or less) is the wave's own rate.
    double RateFor(int frequency) const
    {
        if (frequency <= 0)
            return wave->rate;
        return frequency < kLowestFrequency ? kLowestFrequency : double(frequency);
    }
};

} // namespace standin
