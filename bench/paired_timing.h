// Two ways of doing the same work, timed in alternating short blocks so that both meet
// the same load on a shared machine. The ratio is taken pair by pair, and the figures
// reported are medians, which a preempted block does not move.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

// Calls per timed block: long enough for the clock's own cost to vanish (some 20 us),
// short enough that a change of load rarely falls inside a pair.
inline constexpr int kBlockCalls = 64;

// Wall-clock nanoseconds per call of `work`, over one block.
template <typename Work> double NanosecondsPerCall(Work &&work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlockCalls; ++i)
        work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(end - start).count() / kBlockCalls;
}

class PairedTiming {
public:
    void Add(double first, double second);
    // Counters `<first>_ns`, `<second>_ns` (median ns per call) and `ratio` (median of
    // first / second).
    void Report(benchmark::State &state, const std::string &first, const std::string &second);

private:
    std::vector<double> first_, second_, ratio_;
};

} // namespace bench
