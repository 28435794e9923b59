// The library entry: set-up at load, the exit export looked up then and called at
// unload ("ExitModule" before "opcDLLExit"), thread events calling nothing.
#include <gtest/gtest.h>

#include "generated/test_build.h"
#include "host/library/dynamic_library.h"
#include "tests/support/host_fixture.h"

namespace {

class ModuleEntry : public testing_support::HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        sim.SetModuleDirectory(std::string(TEST_ROOT) + "/Modules");
    }
};

TEST_F(ModuleEntry, LoadCallsInitLibOnceWithTheModulesOwnInstance)
{
    sim.LoadModule("PROBE");
    ASSERT_EQ(1u, sim.InitLibCalls().size());
    EXPECT_EQ(host::ModuleFileName("PROBE"), sim.InitLibCalls()[0]);
}

TEST_F(ModuleEntry, ShippedModuleWithoutExitExportsCallsNothingAtUnload)
{
    sim.SetRoot(SIM_ROOT);
    const host::ModuleLibrary &module = sim.LoadModule("VARLOK1");
    // The entry calls an exit function only when the module exports one by these names.
    EXPECT_EQ(nullptr, module.Symbol("ExitModule"));
    EXPECT_EQ(nullptr, module.Symbol("opcDLLExit"));
    sim.Trace().enabled = true;
    const size_t calls_before = sim.Trace().Calls().size();
    sim.UnloadModule("VARLOK1");
    EXPECT_EQ(calls_before, sim.Trace().Calls().size()) << "a call into the host at unload";
    EXPECT_TRUE(sim.LogLines().empty());
    EXPECT_EQ(1u, sim.InitLibCalls().size());
}

TEST_F(ModuleEntry, ExitModuleIsCalledAtUnloadWithTheModulesInstance)
{
    sim.LoadModule("EXITMODULE");
    EXPECT_TRUE(sim.LogLines().empty()) << "called at load";
    sim.UnloadModule("EXITMODULE");
    EXPECT_EQ(std::vector<std::string>{"ExitModule " + host::ModuleFileName("EXITMODULE")},
              sim.LogLines());
}

TEST_F(ModuleEntry, OpcDllExitIsCalledWhenThereIsNoExitModule)
{
    sim.LoadModule("OPCEXIT");
    sim.UnloadModule("OPCEXIT");
    EXPECT_EQ(std::vector<std::string>{"opcDLLExit " + host::ModuleFileName("OPCEXIT")},
              sim.LogLines());
}

TEST_F(ModuleEntry, ExitModuleWinsWhenBothExist)
{
    sim.LoadModule("BOTHEXITS");
    sim.UnloadModule("BOTHEXITS");
    EXPECT_EQ(std::vector<std::string>{"ExitModule " + host::ModuleFileName("BOTHEXITS")},
              sim.LogLines());
}

TEST_F(ModuleEntry, ThreadAttachAndDetachCallNothingAndReturnTrue)
{
    auto &module = sim.LoadModule("BOTHEXITS");
    auto callEntry = reinterpret_cast<BOOL (*)(DWORD)>(module.Symbol("ProbeCallEntry"));
    ASSERT_NE(nullptr, callEntry);
    EXPECT_EQ(TRUE, callEntry(2));
    EXPECT_EQ(TRUE, callEntry(3));
    EXPECT_EQ(1u, sim.InitLibCalls().size());
    EXPECT_TRUE(sim.LogLines().empty());
}

} // namespace
