// The vehicles' sounds, synthesised: mono samples in -1..1 at their own rates.
#pragma once

#include <string>
#include <vector>

namespace wavegen {

struct Synthesised {
    std::string fileName; // under Sound/Vessel/Varlok/
    int rate;             // samples per second
    std::vector<float> samples;
};

// The engine running at idle, two seconds that loop seamlessly: every part of it repeats
// a whole number of times within the loop. Played at 11025 Hz and above as the vehicle
// speeds up, so it rises in pitch.
Synthesised EngineRun();

// The starter cranking, the first firings and the engine settling to idle.
Synthesised EngineStart();

// A cannon shot: the blast, the boom and its rolling echo.
Synthesised CannonShot();

} // namespace wavegen
