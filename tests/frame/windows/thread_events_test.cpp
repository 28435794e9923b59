// The Windows loader calls every loaded module's entry function when a thread of the
// process starts (reason 2) and ends (reason 3): neither call sets the module up again
// nor runs its exit export.
#include <gtest/gtest.h>

#include <thread>

#include "generated/test_build.h"
#include "tests/support/host_fixture.h"

namespace {

class ThreadEvents : public testing_support::HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        sim.SetModuleDirectory(std::string(TEST_ROOT) + "/Modules");
    }
};

TEST_F(ThreadEvents, ThreadsStartingAndEndingCallNothing)
{
    sim.LoadModule("BOTHEXITS");
    for (int i = 0; i < 3; ++i)
        std::thread([] {}).join();
    EXPECT_EQ(1u, sim.InitLibCalls().size());
    EXPECT_TRUE(sim.LogLines().empty());
    // The module still answers as before, and still exits once at unload.
    sim.UnloadModule("BOTHEXITS");
    EXPECT_EQ(1u, sim.LogLines().size());
}

} // namespace
