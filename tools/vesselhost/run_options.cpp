// What `vesselhost run` is asked for: the pictures and their names, every output in one
// list to check.
#include <algorithm>
#include <cstdio>

#include "tools/vesselhost/scenario_runner.h"

namespace vesselhost {

std::string TimeText(double t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gs", t);
    return text;
}

std::vector<RunOptions::PictureFile> RunOptions::Pictures() const
{
    if (picture.empty())
        return {};
    if (pictureAt.empty())
        return {{std::nullopt, picture}};
    std::vector<double> times = pictureAt;
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    std::vector<PictureFile> files;
    for (double t : times) {
        std::string path = picture;
        if (times.size() > 1) {
            std::string::size_type dot = path.find_last_of('.');
            std::string::size_type slash = path.find_last_of("/\\");
            if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                dot = path.size();
            path.insert(dot, "-" + TimeText(t));
        }
        files.push_back({t, path});
    }
    return files;
}

std::vector<output::OutputRequest> RunOptions::Outputs() const
{
    std::vector<output::OutputRequest> outputs = {
        {"--trace", trace, true}, {"--telemetry", telemetry, true}, {"--audio", audio, false}};
    if (picture.empty()) // listed all the same: an empty name given is refused
        outputs.push_back({"--picture", picture, false});
    for (const PictureFile &file : Pictures())
        outputs.push_back({"--picture", file.path, false});
    outputs.push_back({"--report", report, false});
    outputs.push_back({"--summary", summary, false});
    return outputs;
}

bool RunOptions::WritesStandardOutput() const
{
    return std::ranges::any_of(Outputs(), [](const output::OutputRequest &output) {
        return output.toStandardOutput && output.path == output::kStandardOutput;
    });
}

} // namespace vesselhost
