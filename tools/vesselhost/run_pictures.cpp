// The run's pictures: checked and opened before the run, each drawn at the first step
// end at or after its time, into its temporary file, which takes its name only when the
// whole run succeeded.
#include "host/base/host_error.h"
#include "tools/vesselhost/building.h"
#include "tools/vesselhost/picture.h"
#include "tools/vesselhost/scenario_runner.h"

namespace vesselhost {

void ScenarioRun::OpenPictures()
{
    if (options_.picture.empty())
        return;
    double end = double(scenario_.StepCount()) * scenario_.step;
    const std::vector<RunOptions::PictureFile> files = options_.Pictures();
    for (const RunOptions::PictureFile &file : files)
        if (file.t && !(*file.t >= 0 && *file.t <= host::DueBy(end, scenario_.step)))
            throw host::Error("--picture-at " + TimeText(*file.t) + ": not within the run (0 to " +
                              TimeText(end) + ")");
    for (const RunOptions::PictureFile &file : files)
        pictures_.push_back(
            {file.t.value_or(end), std::make_unique<output::OutputFile>(file.path)});
}

void ScenarioRun::DrawPicturesDue(double t)
{
    while (nextPicture_ < pictures_.size() &&
           pictures_[nextPicture_].t <= host::DueBy(t, scenario_.step))
        DrawPicture(pictures_[nextPicture_++]);
}

void ScenarioRun::DrawPicture(Picture &picture)
{
    Building building("a picture");
    std::vector<const host::Vessel *> vessels(vessels_.begin(), vessels_.end());
    std::string name = std::filesystem::path(picture.file->Path()).filename().string();
    double t = sim_.SimTime();
    try {
        RenderPicture(vessels, *picture.file, [&](const char *what, double done) {
            progress_->Update(name + ": " + what, done, t);
        });
        picture.file->Close();
    } catch (const host::Error &e) {
        throw output::OutputError(e.what());
    }
}

} // namespace vesselhost
