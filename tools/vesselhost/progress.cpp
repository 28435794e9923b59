#include "tools/vesselhost/progress.h"

#include <cstdio>
#include <unistd.h>

namespace vesselhost {

namespace {

constexpr auto kDelay = std::chrono::milliseconds(500);
constexpr int kWidth = 40;

} // namespace

ProgressBar::ProgressBar(std::int64_t total, bool enabled)
    : total_(total), enabled_(enabled && total > 0 && isatty(STDERR_FILENO)),
      start_(std::chrono::steady_clock::now())
{
}

ProgressBar::~ProgressBar()
{
    if (drawn_)
        std::fprintf(stderr, "\r%*s\r", kWidth + 16, "");
}

void ProgressBar::Update(std::int64_t done)
{
    if (!enabled_)
        return;
    int percent = int(done * 100 / total_);
    if (percent == lastPercent_)
        return;
    if (!drawn_ && std::chrono::steady_clock::now() - start_ < kDelay)
        return;
    lastPercent_ = percent;
    drawn_ = true;
    int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled,
                 "########################################", kWidth - filled, "", percent);
    std::fflush(stderr);
}

} // namespace vesselhost
