// The one writer: a regular file replaced whole with its mode kept, a link kept a link,
// no name that a planted link could catch, special files written in place and opened
// once, every temporary removed by any terminating signal however many there are, and
// outputs refused that are inputs or each other. Special files and links are made in
// the test's own folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "host/base/host_error.h"
#include "output/output_check.h"
#include "output/output_file.h"
#include "tests/support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string &name) const { return (dir / name).string(); }
    void Put(const std::string &name, const std::string &text) const
    {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string Read(const std::string &name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static void WriteWhole(const std::string &path, const std::string &text)
    {
        output::OutputFile file(path);
        file.Write(text);
        file.Commit();
    }

    testing_support::TemporaryFolder folder_{"output-test"};
    const fs::path dir = folder_.Path();
};

mode_t ModeOf(const fs::path &path)
{
    struct stat s {};
    EXPECT_EQ(::stat(path.c_str(), &s), 0);
    return s.st_mode & 07777;
}

TEST_F(OutputFileTest, ARegularFileIsReplacedWholeWithItsModeAndALinkStaysALink)
{
    Put("out", "old");
    ASSERT_EQ(::chmod(Path("out").c_str(), 0600), 0);
    {
        output::OutputFile file(Path("out"));
        file.Write("new");
        // Until the commit the old file stands; the new one hides under a name of 12
        // random characters, not one a link could be planted at.
        EXPECT_EQ(Read("out"), "old");
        std::vector<std::string> names = Names();
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0].rfind(".out.", 0), 0u) << names[0];
        EXPECT_EQ(names[0].size(), std::string(".out.").size() + 12) << names[0];
        EXPECT_EQ(ModeOf(dir / names[0]), 0600u) << "private from the start";
        file.Commit();
    }
    EXPECT_EQ(Read("out"), "new");
    EXPECT_EQ(ModeOf(dir / "out"), 0600u);
    // The owner too, where the process may give files away.
    if (::chown(Path("out").c_str(), 4321, 4321) == 0) {
        WriteWhole(Path("out"), "new");
        struct stat s {};
        ASSERT_EQ(::stat(Path("out").c_str(), &s), 0);
        EXPECT_EQ(s.st_uid, 4321u);
        EXPECT_EQ(s.st_gid, 4321u);
        EXPECT_EQ(s.st_mode & 07777, 0600u);
    } else {
        std::printf("not run: the owner part (chown: %s)\n", std::strerror(errno));
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"out"});

    // A new name gets the usual mode; a link's file is replaced, the link kept.
    mode_t mask = ::umask(022);
    WriteWhole(Path("fresh"), "x");
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir / "fresh"), 0644u);
    fs::create_symlink("out", dir / "link");
    WriteWhole(Path("link"), "through the link");
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(Read("out"), "through the link");

    // Not committed: the old file as it was, nothing left beside it.
    {
        output::OutputFile file(Path("out"));
        file.Write("lost");
    }
    EXPECT_EQ(Read("out"), "through the link");
    EXPECT_EQ(Names(), (std::vector<std::string>{"fresh", "link", "out"}));
}

TEST_F(OutputFileTest, LinksPlantedBesideTheTargetAreNeverFollowed)
{
    Put("victim", "keep");
    for (const char *name : {"out.part", "out.partial", ".out.part", ".out.partial"})
        fs::create_symlink("victim", dir / name);
    WriteWhole(Path("out"), "mine");
    EXPECT_EQ(Read("victim"), "keep");
    EXPECT_EQ(Read("out"), "mine");
    for (const char *name : {"out.part", "out.partial", ".out.part", ".out.partial"})
        EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
}

TEST_F(OutputFileTest, SpecialFilesAreOpenedOnceAndWrittenInPlace)
{
    // A FIFO: a reader that stops at the first end of file gets everything.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir / "fifo-link");
    std::string heard;
    std::thread reader([&] {
        int fd = ::open(Path("fifo").c_str(), O_RDONLY);
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            heard.append(buffer, std::size_t(n));
        ::close(fd);
    });
    {
        output::OutputFile file(Path("fifo-link"));
        EXPECT_TRUE(file.InPlace());
        file.Write("first ");
        file.Close();
        file.Commit(); // nothing more to do: no second opening
    }
    reader.join();
    EXPECT_EQ(heard, "first ");
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_symlink(dir / "fifo-link"));

    // A character device (our own node of the null device) stays one.
    if (::mknod(Path("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
        std::printf("not run: the character device part (mknod: %s)\n", std::strerror(errno));
    } else {
        WriteWhole(Path("null"), "gone");
        EXPECT_TRUE(fs::is_character_file(dir / "null"));
    }
    EXPECT_EQ(Names().size(), fs::exists(dir / "null") ? 3u : 2u);
}

// Each signal in a child that holds 40 outputs: every temporary goes, and the child
// ends by that signal.
TEST_F(OutputFileTest, EveryTerminatingSignalRemovesEveryTemporary)
{
    for (int signal :
         {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGXFSZ, SIGUSR1, SIGALRM, SIGRTMIN + 1}) {
        SCOPED_TRACE(signal);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::vector<std::unique_ptr<output::OutputFile>> files;
            for (int i = 0; i < 40; ++i) {
                files.push_back(std::make_unique<output::OutputFile>(Path(std::to_string(i))));
                files.back()->Write("data");
                files.back()->Close();
            }
            ::raise(signal);
            ::_exit(0); // not reached
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(Names(), std::vector<std::string>{});
    }
}

TEST_F(OutputFileTest, OutputsThatAreInputsOrEachOtherAreRefusedNamingBoth)
{
    Put("in.scn", "x");
    fs::create_symlink("in.scn", dir / "in-link");
    fs::create_directories(dir / "Meshes");
    Put("taken", "y");
    fs::create_symlink("taken", dir / "taken-link");
    const struct {
        std::vector<output::OutputRequest> outputs;
        const char *message; // empty: accepted
    } rows[] = {
        {{{"--trace", Path("in.scn"), true}}, "is an input of the run ("},
        {{{"--trace", Path("in-link"), true}}, "is an input of the run ("},
        {{{"--trace", Path("Meshes/a.msh"), true}}, "is an input of the run ("},
        {{{"--trace", Path("taken"), true}, {"--summary", Path("taken-link"), false}},
         "is also the file of --trace "},
        {{{"--trace", "-", true}, {"--telemetry", "-", true}}, "already taken by --trace"},
        {{{"--audio", "-", false}}, "takes only the trace and the telemetry"},
        {{{"--trace", Path("taken"), true}, {"--summary", Path("other"), false}}, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.outputs.back().path);
        try {
            output::CheckOutputs(row.outputs, {Path("in.scn"), Path("Meshes")});
            EXPECT_STREQ(row.message, "");
        } catch (const host::Error &e) {
            std::string message = e.what();
            EXPECT_NE(message.find(row.message), std::string::npos) << message;
            EXPECT_NE(*row.message, '\0') << message;
            EXPECT_EQ(message.rfind(row.outputs.back().option + " " + row.outputs.back().path, 0),
                      0u)
                << message;
        }
    }
}

} // namespace
