#include "bench/paired_timing.h"

#include <algorithm>

namespace bench {

namespace {

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

void PairedTiming::Add(double first, double second)
{
    first_.push_back(first);
    second_.push_back(second);
    ratio_.push_back(first / second);
}

void PairedTiming::Report(benchmark::State &state, const std::string &first,
                          const std::string &second)
{
    state.counters[first + "_ns"] = Median(first_);
    state.counters[second + "_ns"] = Median(second_);
    state.counters["ratio"] = Median(ratio_);
}

} // namespace bench
