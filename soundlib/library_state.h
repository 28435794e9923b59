// The state of the loaded stand-in sound library: one sound bank and one recorder,
// both following the host's simulated time.
#pragma once

#include "sdk/OrbiterAPI.h"
#include "soundlib/recorder.h"
#include "soundlib/sound_bank.h"

// The library's exports: undecorated names, the only symbols it shows.
#define SOUND_EXPORT extern "C" DLLEXPORT

namespace standin {

SoundBank &Bank();
Recorder &Recording();

// Mixes what has sounded up to the host's current simulated time into a running
// recording, and returns that time. Every export calls it before it changes anything.
double CatchUp();

} // namespace standin
