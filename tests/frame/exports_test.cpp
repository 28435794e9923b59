// Each module library exports exactly its three factory functions; everything else
// stays hidden. Read from the library file's own table of exports.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "generated/test_build.h"
#include "host/library/dynamic_library.h"
#include "tests/frame/library_exports.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::ExportedNames;

TEST(ModuleExports, EachShippedModuleExportsExactlyTheFactoryFunctions)
{
    const std::set<std::string> expected = {"GetModuleVersion", "ovcExit", "ovcInit"};
    for (const auto &className : testing_support::kClasses) {
        std::string path = std::string(SIM_ROOT) + "/Modules/" + host::ModuleFileName(className);
        EXPECT_EQ(expected, ExportedNames(path)) << path;
    }
}

TEST(ModuleExports, TestVariantAddsOnlyItsOwnExitExports)
{
    auto symbols = ExportedNames(std::string(TEST_ROOT) + "/Modules/" +
                                 host::ModuleFileName("BOTHEXITS"));
    EXPECT_TRUE(symbols.count("ExitModule"));
    EXPECT_TRUE(symbols.count("opcDLLExit"));
    EXPECT_FALSE(symbols.count("DllMain"));
}

} // namespace
