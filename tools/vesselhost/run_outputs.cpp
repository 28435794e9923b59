// The run's outputs: opened before the run (a folder that cannot take them stops it
// before it starts), started once the vessels exist, fed after every step, and
// completed together at the end.
#include "host/base/host_error.h"
#include "tools/vesselhost/building.h"
#include "tools/vesselhost/report_page.h"
#include "tools/vesselhost/scenario_runner.h"

namespace vesselhost {

namespace {

constexpr std::size_t kFlushBytes = 1 << 20;

} // namespace

void ScenarioRun::OpenOutputs()
{
    for (const std::string *path : {&options_.trace, &options_.telemetry})
        if (!path->empty())
            OutputStream::CheckName(*path);
    if (!options_.trace.empty())
        traceFile_ = OutputStream::For(std::make_unique<output::OutputFile>(options_.trace, true));
    if (!options_.telemetry.empty())
        telemetryFile_ = std::make_unique<output::OutputFile>(options_.telemetry, true);
    if (!options_.audio.empty())
        SoundRecording::CheckLength(options_.audio, double(scenario_.StepCount()) * scenario_.step);
    OpenPictures();
    if (!options_.summary.empty())
        summaryFile_ = std::make_unique<output::OutputFile>(options_.summary);
    if (!options_.report.empty()) {
        if (!ReportPagesAvailable())
            throw host::Error(options_.report + ": this build of vesselhost has no report page "
                                                "(it was built without node, npm or zlib)");
        reportFile_ = std::make_unique<output::OutputFile>(options_.report);
    }
}

void ScenarioRun::StartOutputs()
{
    summary_ = std::make_unique<RunSummary>(sim_.Vessels());
    sim_.Observe(summary_.get());
    if (telemetryFile_)
        telemetry_ = std::make_unique<TelemetryWriter>(OutputStream::For(std::move(telemetryFile_)),
                                                       sim_.Vessels(), options_.telemetryVessels);
    Drain();
    if (reportFile_) {
        report_ =
            std::make_unique<ReportRecorder>(sim_.Vessels(), scenario_.StepCount(), scenario_.step);
        report_->Start(sim_.Vessels());
    }
}

// The trace holds the selected calls, and those kept only to number the transform
// records they hand over as the full trace would.
void ScenarioRun::Drain()
{
    if (!traceFile_)
        return;
    for (const host::TraceCall &call : sim_.Trace().Calls()) {
        if (call.selected)
            traceWriter_.Append(call, sim_, traceBuffer_);
        else
            traceWriter_.NumberTransforms(call);
    }
    if (traceBuffer_.size() >= kFlushBytes) {
        traceFile_->Write(traceBuffer_);
        traceBuffer_.clear();
    }
    sim_.Trace().Clear();
}

void ScenarioRun::Finish()
{
    // Every output is completed before any takes its name, so that one that cannot be
    // written leaves no output of the run behind.
    std::vector<output::OutputFile *> outputs;
    for (; nextPicture_ < pictures_.size(); ++nextPicture_)
        DrawPicture(pictures_[nextPicture_]);
    for (Picture &picture : pictures_)
        outputs.push_back(picture.file.get());
    if (report_) {
        std::size_t focus = scenario_.focus;
        for (std::size_t i = 0; i < vessels_.size(); ++i)
            if (vessels_[i] == sim_.Focus())
                focus = i;
        Building building("the report page");
        reportFile_->Write(ReportPage({scenario_, sim_.Vessels(), *summary_, *report_, focus}));
        reportFile_->Close();
        outputs.push_back(reportFile_.get());
    }
    if (traceFile_) {
        traceFile_->Write(traceBuffer_);
        traceBuffer_.clear();
        traceFile_->Finish();
        outputs.push_back(&traceFile_->File());
    }
    if (telemetry_) {
        telemetry_->Finish();
        outputs.push_back(&telemetry_->File());
    }
    if (summaryFile_) {
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        summaryFile_->Write(
            summary_->Json(sim_.Vessels(), scenario_.StepCount(), scenario_.step, wall));
        summaryFile_->Close();
        outputs.push_back(summaryFile_.get());
    }
    // The library writes the recording through the same writer as it ends.
    if (recording_)
        recording_->End();
    for (output::OutputFile *output : outputs)
        output->Commit();
    if (!options_.quiet)
        summary_->Print(out_, sim_.Vessels());
    sim_.Reset();
}

} // namespace vesselhost
