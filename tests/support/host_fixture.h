// Test support: a fresh stand-in simulator per test, pointed at the built root.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "host/core/simulator.h"

namespace testing_support {

// Radians in a degree, for the rotation rows the tests write.
inline constexpr double kDeg = std::numbers::pi / 180;

// The three shipped vessel classes.
inline const std::vector<std::string> kClasses = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    host::Simulator &sim = host::Simulator::Get();

    // Loads the built stand-in sound library, as the simulator does at start-up.
    void LoadSoundLibrary();
    // The test's own current folder (fresh, removed afterwards).
    const std::filesystem::path &WorkDir() const { return workDir_; }

private:
    std::filesystem::path workDir_;

protected:

    // Creates a vessel through every creation stage, with the trace on.
    host::Vessel &Create(const std::string &name, const std::string &className);
    // The calls a vessel made since the trace was last cleared.
    std::vector<host::TraceCall> CallsOf(const host::Vessel &vessel) const;
    std::vector<std::string> NamesOf(const host::Vessel &vessel) const;
};

// Reads a TraceValue as a number (ints and doubles alike); fails the test otherwise.
double Number(const host::TraceValue &value);

} // namespace testing_support

namespace testing_support {

// A call as one line of text, e.g. "SetAnimation(2, 0.5) -> true": numbers in their
// shortest exact form, vectors as (x, y, z), handles as th0, thg1, ac3, mesh:NAME.
std::string Describe(const host::TraceCall &call, bool withResult = false);
std::vector<std::string> Describe(const std::vector<host::TraceCall> &calls,
                                  bool withResult = false);

// Only the calls whose names are listed.
std::vector<host::TraceCall> Only(const std::vector<host::TraceCall> &calls,
                                  const std::vector<std::string> &names);

} // namespace testing_support
