// A progress bar on stderr for runs that take a while, drawn only when stderr is a
// terminal and the run has lasted half a second.
#pragma once

#include <chrono>
#include <cstdint>

namespace vesselhost {

class ProgressBar {
public:
    explicit ProgressBar(std::int64_t total, bool enabled);
    ~ProgressBar(); // clears the bar

    void Update(std::int64_t done);

private:
    std::int64_t total_;
    bool enabled_;
    bool drawn_ = false;
    int lastPercent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

} // namespace vesselhost
