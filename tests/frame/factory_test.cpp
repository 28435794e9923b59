// The vessel factory: ovcInit allocates and constructs one vehicle and hands over its
// VESSEL base; ovcExit converts that pointer back and releases exactly that storage.
// And the version stamp, cached after the first non-zero answer.
#include <gtest/gtest.h>

#include "host/base/host_error.h"
#include "host/core/test_answers.h"
#include "tests/frame/counting_allocator.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostTest;
using testing_support::kClasses;

class VesselFactory : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        if (!counting_allocator::kSeesModules)
            GTEST_SKIP() << counting_allocator::kModulesUnseen;
    }
};

TEST_F(VesselFactory, ExitReleasesExactlyWhatInitAllocated)
{
    for (const auto &className : kClasses) {
        counting_allocator::Watch atInit, atExit;
        counting_allocator::Start(atInit);
        host::Vessel &v = sim.ConstructVessel("V", className);
        counting_allocator::Stop();
        ASSERT_FALSE(atInit.allocated.empty()) << className;

        // The host keeps the VESSEL base, which lies inside the vehicle's block, after
        // the vtable pointer: a converted pointer, not the block's start.
        auto *base = reinterpret_cast<char *>(v.vessel);
        int holders = 0;
        for (auto [p, size] : atInit.allocated) {
            auto *block = static_cast<char *>(p);
            if (base >= block && base < block + size) {
                ++holders;
                EXPECT_NE(base, block) << className;
            }
        }
        EXPECT_EQ(1, holders) << className;

        counting_allocator::Start(atExit);
        sim.DestroyVessel(v);
        counting_allocator::Stop();
        for (auto [p, size] : atInit.allocated)
            if (atExit.freed.count(p) == 0)
                ADD_FAILURE() << className << ": block not released";
        EXPECT_TRUE(atExit.allocated.empty()) << className;
    }
}

TEST_F(VesselFactory, AllocationFailureGivesNoVessel)
{
    counting_allocator::FailNoThrowAllocation(0);
    EXPECT_THROW(sim.ConstructVessel("V", "VARLOK1"), host::Error);
    EXPECT_TRUE(sim.Vessels().empty());
    // The module is unharmed: the next vessel comes as usual.
    EXPECT_NO_THROW(sim.CreateVessel("W", "VARLOK1"));
}

TEST_F(VesselFactory, ExitWithNullDoesNothing)
{
    auto &module = sim.LoadModule("VARLOK1");
    auto exitFunction = reinterpret_cast<void (*)(VESSEL *)>(module.Symbol("ovcExit"));
    ASSERT_NE(nullptr, exitFunction);
    sim.Trace().Clear();
    counting_allocator::Watch watch;
    counting_allocator::Start(watch);
    exitFunction(nullptr);
    counting_allocator::Stop();
    EXPECT_TRUE(watch.freed.empty());
    EXPECT_TRUE(sim.Trace().Calls().empty());
}

class ModuleVersion : public HostTest {
protected:
    void TearDown() override
    {
        host::AnswerDate2Int(std::nullopt);
        HostTest::TearDown();
    }

    // Date2Int calls so far, as the trace has them.
    int Date2IntCalls() const
    {
        int calls = 0;
        for (const auto &call : sim.Trace().Calls())
            calls += std::string(call.call) == "Date2Int";
        return calls;
    }
};

TEST_F(ModuleVersion, StampIsTheDateOfTheModuleAskedOnce)
{
    for (const auto &className : kClasses) {
        auto &module = sim.LoadModule(className);
        int before = Date2IntCalls();
        EXPECT_EQ(60425, module.Version()) << className;
        EXPECT_EQ(60425, module.Version()) << className;
        EXPECT_EQ(before + 1, Date2IntCalls()) << className;
    }
    // The date text handed over is the module's fixed date.
    bool seen = false;
    for (const auto &call : sim.Trace().Calls())
        if (std::string(call.call) == "Date2Int") {
            EXPECT_EQ("Apr 25 2006", std::get<std::string>(call.args.at(0)));
            seen = true;
        }
    EXPECT_TRUE(seen);
}

TEST_F(ModuleVersion, ZeroFromTheHostIsAskedAgainAndReturnedAsItIs)
{
    auto &module = sim.LoadModule("VARLOK3C");
    host::AnswerDate2Int(0);
    EXPECT_EQ(0, module.Version());
    EXPECT_EQ(0, module.Version());
    EXPECT_EQ(2, Date2IntCalls());
    host::AnswerDate2Int(std::nullopt);
    EXPECT_EQ(60425, module.Version());
    EXPECT_EQ(60425, module.Version());
    EXPECT_EQ(3, Date2IntCalls());
}

TEST_F(ModuleVersion, EachModuleKeepsItsOwnCache)
{
    sim.LoadModule("VARLOK1").Version();
    sim.LoadModule("KELDOCONTROL").Version();
    EXPECT_EQ(2, Date2IntCalls());
}

} // namespace
