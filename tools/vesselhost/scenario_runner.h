// The run of one scenario, as the files of `vesselhost run` share it: set up
// (run_setup.cpp), stepped (step_loop.cpp), with its pictures (run_pictures.cpp) and
// outputs (run_outputs.cpp). Internal to the program; scenario_run.h is its face.
#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/core/simulator.h"
#include "host/physics/physics.h"
#include "host/trace/trace_json.h"
#include "output/output_file.h"
#include "tools/vesselhost/output_stream.h"
#include "tools/vesselhost/progress.h"
#include "tools/vesselhost/report_recorder.h"
#include "tools/vesselhost/scenario_input.h"
#include "tools/vesselhost/scenario_run.h"
#include "tools/vesselhost/sound_recording.h"
#include "tools/vesselhost/summary.h"
#include "tools/vesselhost/telemetry.h"

namespace vesselhost {

// A simulated time as picture names and messages give it: "12.5s".
std::string TimeText(double t);

// Goes back to the caller's folder when the run ends.
class InFolder {
public:
    explicit InFolder(const std::string &folder) : saved_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~InFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(saved_, ignored);
    }

private:
    std::filesystem::path saved_;
};

class ScenarioRun {
public:
    ScenarioRun(const host::Scenario &scenario, const std::string &root, const RunOptions &options,
                std::FILE *out)
        : scenario_(scenario), root_(root), options_(options), out_(out)
    {
    }

    void Run();
    // Sets the run up, up to its first step, and ends it there.
    void Check();

private:
    // run_setup.cpp: everything before the first step.
    void SetUp(bool recordSound);
    void CheckMemory() const;
    void LoadSoundLibrary();
    void CreateVessels();
    void WarnSilentVessels() const;

    // step_loop.cpp
    void Step(std::int64_t k);
    void Deliver(const host::ScenarioEvent &event, double stepStart);
    void Note(double t, const std::string &text);

    // run_pictures.cpp
    void OpenPictures();
    void DrawPicturesDue(double t);
    struct Picture;
    void DrawPicture(Picture &picture);

    // run_outputs.cpp
    void OpenOutputs();
    void StartOutputs();
    void Drain();
    void Finish();

    const host::Scenario &scenario_;
    const std::string &root_;
    const RunOptions &options_;
    std::FILE *out_;
    host::Simulator &sim_ = host::Simulator::Get();
    host::GroundPhysics ground_;

    std::vector<host::Vessel *> vessels_; // by ship index
    std::unique_ptr<ScenarioInput> input_;
    std::size_t nextEvent_ = 0;
    std::unique_ptr<RunSummary> summary_;
    std::vector<RunSummary::Note> notes_;

    host::TraceSelection traceSelection_;
    std::unique_ptr<OutputStream> traceFile_;
    host::TraceJsonWriter traceWriter_;
    std::string traceBuffer_;
    std::unique_ptr<output::OutputFile> telemetryFile_;
    std::unique_ptr<TelemetryWriter> telemetry_;
    std::unique_ptr<SoundRecording> recording_;
    std::unique_ptr<output::OutputFile> reportFile_;
    std::unique_ptr<ReportRecorder> report_;
    // The pictures to draw, by the time they show (the run's end when none was asked).
    struct Picture {
        double t;
        std::unique_ptr<output::OutputFile> file;
    };
    std::vector<Picture> pictures_;
    std::size_t nextPicture_ = 0;
    std::unique_ptr<ProgressBar> progress_;
    std::unique_ptr<output::OutputFile> summaryFile_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

} // namespace vesselhost
