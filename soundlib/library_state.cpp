#include "soundlib/library_state.h"

#include "sdk/OrbiterAPI.h"

namespace standin {

namespace {

SoundBank bank;
Recorder recorder;

} // namespace

SoundBank &Bank() { return bank; }
Recorder &Recording() { return recorder; }

double CatchUp()
{
    double now = oapiGetSimTime();
    recorder.AdvanceTo(now, bank);
    return now;
}

} // namespace standin
