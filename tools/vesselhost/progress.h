// A progress bar on stderr for runs that take a while, drawn only when stderr is a
// terminal and the run has lasted half a second. It tells what the run does (stepping,
// drawing a picture), how far that has got, the simulated time and an estimate of the
// time that work has left.
#pragma once

#include <chrono>
#include <string>

namespace vesselhost {

class ProgressBar {
public:
    explicit ProgressBar(bool enabled);
    ~ProgressBar(); // clears the bar

    // `what` has got `done` (0 to 1) of the way, at simulated time `t` (s).
    void Update(const std::string &what, double done, double t);

private:
    bool enabled_;
    bool drawn_ = false;
    int lastPermille_ = -1;
    std::string what_;
    std::chrono::steady_clock::time_point start_, workStart_, lastDrawn_;
};

} // namespace vesselhost
