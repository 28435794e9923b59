// The player's archives as scripts/package makes them: unpacked into an empty folder
// with the Linux modules put into its Modules/ (and the stand-in sound library beside
// them, as a player's simulator has its own), the folder serves as a simulator root: the
// demo runs, and every mesh and wave the vehicles ask for is there and reads.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "generated/test_build.h"
#include "host/mesh/mesh_loader.h"

namespace {

namespace fs = std::filesystem;

const char *kClasses[] = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const fs::path &path) { return "'" + path.string() + "'"; }

int Shell(const std::string &command) { return WEXITSTATUS(std::system(command.c_str())); }

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = fs::temp_directory_path() / ("addon-package-" + std::to_string(::getpid()));
        fs::remove_all(work);
        fs::create_directories(work / "dist");
    }
    void TearDown() override { fs::remove_all(work); }

    fs::path work;
};

TEST_F(PackageTest, UnpackedArchiveIsARootWhereTheDemoFindsEveryMeshAndWave)
{
    ASSERT_EQ(Shell(Quote(PACKAGE_SCRIPT) + " --no-build --build " + Quote(BUILD_DIR) + " --dist " +
                    Quote(work / "dist") + " >" + Quote(work / "package.out") + " 2>&1"),
              0)
        << ReadFile(work / "package.out");
    std::string version = ReadFile(fs::path(SOURCE_DIR) / "addon/VERSION");
    version.erase(version.find_last_not_of(" \n") + 1);
    for (const char *arch : {"x64", "x86"})
        EXPECT_TRUE(fs::exists(work / "dist" / ("Varlok-" + version + "-" + arch + ".zip")))
            << arch;

    fs::path root = work / "root";
    fs::create_directories(root);
    ASSERT_EQ(Shell("cd " + Quote(root) + " && cmake -E tar xf " +
                    Quote(work / "dist" / ("Varlok-" + version + "-x64.zip"))),
              0);
    EXPECT_TRUE(fs::exists(root / "Varlok-README.txt"));
    for (const char *cls : kClasses) {
        std::string config = ReadFile(root / "Config/Vessels" / (std::string(cls) + ".cfg"));
        EXPECT_NE(config.find("Module = " + std::string(cls) + "\n"), std::string::npos) << cls;
        bool landed = false;
        for (const auto &entry : fs::directory_iterator(root / "Scenarios/Varlok")) {
            std::string scenario = ReadFile(entry.path());
            landed |=
                scenario.find(":" + std::string(cls) + "\n  STATUS Landed") != std::string::npos;
        }
        EXPECT_TRUE(landed) << "no scenario lands a " << cls;
    }

    // The Linux modules and the sound library where the DLLs would be.
    fs::path built = fs::path(BUILD_DIR) / "root";
    for (const auto &entry : fs::directory_iterator(built / "Modules"))
        fs::copy_file(entry.path(), root / "Modules" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
    fs::copy_file(built / "OrbiterSound.dll", root / "OrbiterSound.dll");

    ASSERT_EQ(Shell("cd " + Quote(work) + " && " + Quote(VESSELHOST_PATH) + " --root " +
                    Quote(root) +
                    " demo --no-progress --trace trace.jsonl"
                    " --trace-calls oapiLoadMeshGlobal,LoadVesselWaveOBSound3"
                    " >demo.out 2>demo.err"),
              0)
        << ReadFile(work / "demo.err");
    std::string errors = ReadFile(work / "demo.err");
    std::transform(errors.begin(), errors.end(), errors.begin(), ::tolower);
    EXPECT_EQ(errors.find("placeholder"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("stand-in"), std::string::npos) << errors;

    std::set<std::string> meshes, waves;
    std::istringstream trace(ReadFile(work / "trace.jsonl"));
    for (std::string line; std::getline(trace, line);) {
        auto call = nlohmann::json::parse(line);
        if (call["call"] == "oapiLoadMeshGlobal")
            meshes.insert(call["args"][0].get<std::string>());
        if (call["call"] == "LoadVesselWaveOBSound3") {
            EXPECT_EQ(call["ret"], 1) << line;
            std::string name = call["args"][2];
            std::replace(name.begin(), name.end(), '\\', '/');
            waves.insert(name);
        }
    }
    EXPECT_EQ(meshes, (std::set<std::string>{"VARLOK", "VARLOK3A", "keldocontrol"}));
    EXPECT_EQ(waves.size(), 3u);
    for (const std::string &mesh : meshes)
        EXPECT_GT(host::LoadMeshFile((root / "Meshes" / (mesh + ".msh")).string()).groups.size(),
                  100u)
            << mesh;
    for (const std::string &wave : waves) {
        SF_INFO info{};
        SNDFILE *file = sf_open((root / wave).c_str(), SFM_READ, &info);
        EXPECT_NE(file, nullptr) << wave << " missing from the archive";
        if (file)
            sf_close(file);
    }
}

} // namespace
