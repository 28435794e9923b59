#include "tools/vesselhost/progress.h"

#include <cstdio>
#include <unistd.h>

namespace vesselhost {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDelay = std::chrono::milliseconds(500);
constexpr auto kRedraw = std::chrono::milliseconds(100);
constexpr int kWidth = 30;
constexpr int kLineWidth = 100;

} // namespace

ProgressBar::ProgressBar(bool enabled)
    : enabled_(enabled && isatty(STDERR_FILENO)), start_(Clock::now()), workStart_(start_)
{
}

ProgressBar::~ProgressBar()
{
    if (drawn_)
        std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
}

void ProgressBar::Update(const std::string &what, double done, double t)
{
    if (!enabled_)
        return;
    Clock::time_point now = Clock::now();
    if (what != what_) {
        what_ = what;
        workStart_ = now;
        lastPermille_ = -1;
    }
    int permille = int(done * 1000);
    if (permille == lastPermille_ || now - start_ < kDelay || now - lastDrawn_ < kRedraw)
        return;
    lastPermille_ = permille;
    lastDrawn_ = now;
    drawn_ = true;
    int filled = permille * kWidth / 1000;
    // What is left of this work at the pace it has gone so far.
    char left[32] = "";
    double elapsed = std::chrono::duration<double>(now - workStart_).count();
    if (done > 0.01 && elapsed > 0.2)
        std::snprintf(left, sizeof left, ", %.0f s left", elapsed * (1 - done) / done + 0.5);
    char line[kLineWidth + 1];
    std::snprintf(line, sizeof line, "[%.*s%*s] %3d%%  t %.2f s  %s%s", filled,
                  "##############################", kWidth - filled, "", permille / 10, t,
                  what.c_str(), left);
    std::fprintf(stderr, "\r%-*s", kLineWidth, line);
    std::fflush(stderr);
}

} // namespace vesselhost
