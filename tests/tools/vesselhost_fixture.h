// End-to-end test support: runs the built vesselhost in a fresh folder per test and
// reads back what it wrote (summary, telemetry CSV, trace JSON Lines).
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "generated/test_build.h"
#include "tests/support/temporary_folder.h"

namespace vesselhost_test {

namespace fs = std::filesystem;

struct Result {
    int code = -1;
    std::string out, err;
};

inline std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Quote(const std::string &text) { return "'" + text + "'"; }

// A scenario from its parts: environment lines, ship blocks, input lines.
inline std::string Scenario(const std::string &environment, const std::string &ships,
                            const std::string &input)
{
    return "BEGIN_ENVIRONMENT\n" + environment + "END_ENVIRONMENT\nBEGIN_SHIPS\n" + ships +
           "END_SHIPS\nBEGIN_INPUT\n" + input + "END_INPUT\n";
}

// Telemetry rows of one vessel, with cells by column name.
class Telemetry {
public:
    Telemetry(const std::string &csv, const std::string &vessel)
    {
        std::istringstream lines(csv);
        std::string line;
        std::getline(lines, line);
        header_ = Split(line);
        while (std::getline(lines, line)) {
            std::vector<std::string> cells = Split(line);
            if (cells.size() > 2 && cells[2] == vessel)
                rows_.push_back(cells);
        }
    }
    std::size_t Rows() const { return rows_.size(); }
    double Get(std::size_t row, const std::string &column) const
    {
        for (std::size_t i = 0; i < header_.size(); ++i)
            if (header_[i] == column)
                return std::stod(rows_.at(row).at(i));
        ADD_FAILURE() << "no column " << column;
        return 0;
    }
    // The first row at or after time t.
    std::size_t RowAt(double t) const
    {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            if (Get(i, "t") >= t - 1e-9)
                return i;
        ADD_FAILURE() << "no row at " << t;
        return 0;
    }

private:
    static std::vector<std::string> Split(const std::string &line)
    {
        std::vector<std::string> cells;
        std::stringstream in(line);
        std::string cell;
        while (std::getline(in, cell, ','))
            cells.push_back(cell);
        return cells;
    }
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};

inline std::vector<nlohmann::json> TraceLines(const std::string &jsonl)
{
    std::vector<nlohmann::json> calls;
    std::istringstream lines(jsonl);
    std::string line;
    while (std::getline(lines, line))
        calls.push_back(nlohmann::json::parse(line));
    return calls;
}

class VesselhostTest : public ::testing::Test {
protected:
    fs::path Write(const std::string &name, const std::string &text) const
    {
        fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs vesselhost with the arguments (already quoted where needed) in `cwd`.
    Result Run(const std::string &arguments, const fs::path &cwd = {}) const
    {
        fs::path out = dir / ".stdout", err = dir / ".stderr";
        std::string command = "cd " + Quote((cwd.empty() ? dir : cwd).string()) + " && " +
                              Quote(VESSELHOST_PATH) + " " + arguments + " >" +
                              Quote(out.string()) + " 2>" + Quote(err.string());
        int status = std::system(command.c_str());
        Result result;
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(out);
        result.err = ReadFile(err);
        fs::remove(out);
        fs::remove(err);
        return result;
    }

    // Runs a scenario written into the folder with the given output options.
    Result RunScenario(const std::string &text, const std::string &options = "")
    {
        Write("test.scn", text);
        return Run("run test.scn --no-progress " + options);
    }

    // Files in the folder other than the given ones: leftovers of a failed output.
    std::vector<std::string> OtherFiles(const std::vector<std::string> &expected) const
    {
        std::vector<std::string> others;
        for (const auto &entry : fs::directory_iterator(dir)) {
            std::string name = entry.path().filename().string();
            bool known = false;
            for (const std::string &e : expected)
                known = known || e == name;
            if (!known)
                others.push_back(name);
        }
        return others;
    }

    testing_support::TemporaryFolder folder_{"vesselhost-test"};
    const fs::path dir = folder_.Path();
};

} // namespace vesselhost_test
