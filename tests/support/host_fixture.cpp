#include "host_fixture.h"

#include <cstdint>

namespace testing_support {

void HostTest::SetUp()
{
    sim.Reset();
    sim.SetRoot(SIM_ROOT);
    sim.Trace().enabled = true;
}

void HostTest::TearDown() { sim.Reset(); }

host::Vessel &HostTest::Create(const std::string &name, const std::string &className)
{
    return sim.CreateVessel(name, className);
}

std::vector<host::TraceCall> HostTest::CallsOf(const host::Vessel &vessel) const
{
    return host::Simulator::Get().Trace().CallsOf(vessel.id);
}

std::vector<std::string> HostTest::NamesOf(const host::Vessel &vessel) const
{
    return host::Simulator::Get().Trace().NamesOf(vessel.id);
}

double Number(const host::TraceValue &value)
{
    if (auto *d = std::get_if<double>(&value))
        return *d;
    if (auto *i = std::get_if<std::int64_t>(&value))
        return double(*i);
    ADD_FAILURE() << "trace value is not a number";
    return 0;
}

} // namespace testing_support
