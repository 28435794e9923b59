#include "tools/vesselhost/scenario_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <optional>
#include <set>
#include <vector>

#include "host/base/host_error.h"
#include "host/core/simulator.h"
#include "host/physics/driver_input.h"
#include "host/physics/physics.h"
#include "host/trace/trace_json.h"
#include "tools/vesselhost/output_file.h"
#include "tools/vesselhost/output_stream.h"
#include "tools/vesselhost/picture.h"
#include "tools/vesselhost/progress.h"
#include "tools/vesselhost/report_page.h"
#include "tools/vesselhost/report_recorder.h"
#include "tools/vesselhost/simulator_root.h"
#include "tools/vesselhost/sound_recording.h"
#include "tools/vesselhost/summary.h"
#include "tools/vesselhost/telemetry.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFlushBytes = 1 << 20;

// The sound library gives out this many sound ids, one to each vessel that asks; the
// vehicles ask as they are created.
constexpr std::size_t kSoundIds = 60;

// Event times meet step start times within a millionth of a step, so that sums of
// decimal step lengths that miss by a rounding error still count as on time.
constexpr double kTimeTolerance = 1e-6;

std::string At(const host::Scenario &scenario, int line)
{
    return scenario.file + ":" + std::to_string(line) + ": ";
}

std::string Decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// An input line as the log shows it.
std::string Describe(const host::ScenarioEvent &event, const std::string &vessel)
{
    static const char *const kActions[] = {"MAIN",  "RETRO",    "YAW",    "KEY",   "VISUAL",
                                           "FOCUS", "AIRSPEED", "AIRVEC", "GROUND"};
    using host::InputAction;
    switch (event.action) {
    case InputAction::Focus:
        return "focus on " + vessel;
    case InputAction::Key:
        return vessel + " KEY " + host::KeyName(event.key);
    case InputAction::Visual:
    case InputAction::Ground:
        return vessel + " " + kActions[int(event.action)] + (event.on ? " ON" : " OFF");
    default:
        break;
    }
    std::string text = vessel + " " + kActions[int(event.action)];
    for (int i = 0; i < (event.action == InputAction::AirVector ? 3 : 1); ++i)
        text += " " + Decimal(event.value[i]);
    if (event.holdFor)
        text += " for " + Decimal(*event.holdFor) + " s";
    return text;
}

// A held input value: set by an event, back to 0 at `until` when given (FOR N).
struct Held {
    double value[3] = {};
    std::optional<double> until;

    void Set(const host::ScenarioEvent &event, int count)
    {
        for (int i = 0; i < count; ++i)
            value[i] = event.value[i];
        until.reset();
        if (event.holdFor)
            until = event.time + *event.holdFor;
    }
    void ExpireBy(double due)
    {
        if (until && *until <= due) {
            value[0] = value[1] = value[2] = 0;
            until.reset();
        }
    }
};

struct VesselInput {
    Held main, retro, yaw;
    Held airspeed, airVector; // scripted readings, with the physics off
    bool ground = false;
};

// Goes back to the caller's folder when the run ends.
class InFolder {
public:
    explicit InFolder(const std::string &folder) : saved_(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~InFolder()
    {
        std::error_code ignored;
        fs::current_path(saved_, ignored);
    }

private:
    fs::path saved_;
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
    void SetUp(std::unique_ptr<OutputFile> audioFile);
    void WarnSilentVessels();
    void LoadSoundLibrary();
    void CreateVessels();
    void Deliver(const host::ScenarioEvent &event, double stepStart);
    void ApplyInput();
    void Drain();
    void Note(double t, const std::string &text);
    void Finish();

    const host::Scenario &scenario_;
    const std::string &root_;
    const RunOptions &options_;
    std::FILE *out_;
    host::Simulator &sim_ = host::Simulator::Get();

    std::vector<host::Vessel *> vessels_; // by ship index
    std::vector<VesselInput> input_;
    std::unique_ptr<RunSummary> summary_;

    host::TraceSelection traceSelection_;
    std::unique_ptr<OutputStream> traceFile_;
    host::TraceJsonWriter traceWriter_;
    std::string traceBuffer_;
    std::unique_ptr<OutputFile> telemetryFile_;
    std::unique_ptr<TelemetryWriter> telemetry_;
    std::unique_ptr<SoundRecording> recording_;
    std::unique_ptr<OutputFile> reportFile_;
    std::unique_ptr<ReportRecorder> report_;
    // The pictures to draw, by the time they show (the run's end when none was asked).
    struct Picture {
        double t;
        std::unique_ptr<OutputFile> file;
    };
    std::vector<Picture> pictures_;
    std::size_t nextPicture_ = 0;
    void OpenPictures();
    void DrawPicture(Picture &picture);
    std::unique_ptr<ProgressBar> progress_;
    std::unique_ptr<OutputFile> summaryFile_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

void ScenarioRun::LoadSoundLibrary()
{
    if (!scenario_.sound)
        return;
    std::string path = SoundLibraryPath(root_);
    std::error_code error;
    if (!fs::exists(path, error)) {
        std::fprintf(stderr, "vesselhost: warning: no sound library at %s; the vehicles stay "
                             "silent\n", path.c_str());
        return;
    }
    sim_.LoadSoundLibrary(path);
}

void ScenarioRun::CreateVessels()
{
    for (const host::ScenarioShip &ship : scenario_.ships) {
        host::Vessel *vessel = nullptr;
        try {
            vessel = &sim_.CreateVessel(ship.name, ship.className);
        } catch (const host::Error &e) {
            throw host::Error(At(scenario_, ship.line) + "vessel " + ship.name + " of class " +
                              ship.className + " cannot be created: " + e.what());
        }
        double heading = std::fmod(ship.heading, 360.0);
        vessel->motion.x = ship.x;
        vessel->motion.z = ship.z;
        vessel->motion.heading = (heading < 0 ? heading + 360 : heading) * std::numbers::pi / 180;
        if (scenario_.physics)
            host::MoveOnGround(*vessel, 0); // reports the vessel standing where it was put
        vessels_.push_back(vessel);
    }
    input_.resize(vessels_.size());
    // The simulator shows every vessel from the start; VISUAL OFF takes a visual away.
    for (host::Vessel *vessel : vessels_)
        sim_.CreateVisual(*vessel);
    sim_.SetFocus(vessels_[scenario_.focus]);
}

void ScenarioRun::Note(double t, const std::string &text)
{
    if (options_.log)
        std::fprintf(out_, "%9.2f s  %s\n", t, text.c_str());
}

void ScenarioRun::Deliver(const host::ScenarioEvent &event, double stepStart)
{
    host::Vessel &vessel = *vessels_[event.vessel];
    VesselInput &input = input_[event.vessel];
    std::string what;
    switch (event.action) {
    case host::InputAction::Main:
        input.main.Set(event, 1);
        break;
    case host::InputAction::Retro:
        input.retro.Set(event, 1);
        break;
    case host::InputAction::Yaw:
        input.yaw.Set(event, 1);
        break;
    case host::InputAction::Airspeed:
        input.airspeed.Set(event, 1);
        break;
    case host::InputAction::AirVector:
        input.airVector.Set(event, 3);
        break;
    case host::InputAction::Ground:
        input.ground = event.on;
        break;
    case host::InputAction::Key: {
        bool consumed = sim_.SendKey(vessel, event.key, true) != 0;
        sim_.SendKey(vessel, event.key, false);
        if (!consumed)
            summary_->KeyPassed(vessel, event.key);
        if (report_)
            report_->Key(vessel, stepStart, host::KeyName(event.key), consumed);
        what = consumed ? " (taken)" : " (passed to the simulator)";
        break;
    }
    case host::InputAction::Visual:
        if (event.on)
            sim_.CreateVisual(vessel);
        else
            sim_.DestroyVisual(vessel);
        break;
    case host::InputAction::Focus:
        sim_.SetFocus(&vessel);
        break;
    }
    if (options_.log)
        Note(stepStart, Describe(event, vessel.name) + what);
}

void ScenarioRun::ApplyInput()
{
    for (std::size_t i = 0; i < vessels_.size(); ++i) {
        host::Vessel &vessel = *vessels_[i];
        const VesselInput &input = input_[i];
        host::DriverControls controls;
        controls.main = input.main.value[0];
        controls.retro = input.retro.value[0];
        controls.yaw = input.yaw.value[0];
        host::ApplyDriverControls(vessel, controls);
        if (!scenario_.physics) {
            vessel.readings.airspeed = input.airspeed.value[0];
            const double *v = input.airVector.value;
            vessel.readings.airspeedVector = _V(v[0], v[1], v[2]);
            vessel.readings.groundContact = input.ground;
        }
    }
}

void ScenarioRun::Drain()
{
    const std::vector<host::TraceCall> &calls = sim_.Trace().Calls();
    summary_->Calls(calls);
    if (traceFile_) {
        // Besides the selected calls the trace holds the summary's and those that hand
        // over transform records, numbered as the full trace would.
        for (const host::TraceCall &call : calls) {
            if (traceSelection_.Selects(call.call, call.vessel, call.t))
                traceWriter_.Append(call, sim_, traceBuffer_);
            else
                traceWriter_.NumberTransforms(call);
        }
        if (traceBuffer_.size() >= kFlushBytes) {
            traceFile_->Write(traceBuffer_);
            traceBuffer_.clear();
        }
    }
    sim_.Trace().Clear();
}

// Everything of the run before its first step: the sound library, the recording, the
// vessels with their meshes. `check` does this much too, so it finds what run would.
void ScenarioRun::SetUp(std::unique_ptr<OutputFile> audioFile)
{
    sim_.Reset();
    sim_.SetRoot(root_);
    sim_.Trace().enabled = true;
    sim_.Trace().only = kSummaryCall;
    if (traceFile_) {
        traceSelection_ = options_.traceSelection;
        sim_.Trace().selection = &traceSelection_;
    }
    if (scenario_.physics)
        sim_.physics = host::StepGroundPhysics;
    LoadSoundLibrary();
    if (audioFile) {
        if (!sim_.SoundLibrary())
            throw host::Error(options_.audio + ": no sound library is loaded (" +
                              (scenario_.sound ? "none in " + root_ : "SOUND OFF in " +
                                                                          scenario_.file) +
                              "), so there is no sound to record");
        recording_ = std::make_unique<SoundRecording>(*sim_.SoundLibrary(), std::move(audioFile));
    }

    CreateVessels();
    // A mesh file the modules asked for that cannot be read is bad input like a broken
    // scenario; the host noted it instead of failing the module's call.
    if (!sim_.MeshErrors().empty())
        throw host::Error(sim_.MeshErrors().front());
    WarnSilentVessels();
}

void ScenarioRun::WarnSilentVessels()
{
    if (!sim_.SoundLibrary() || vessels_.size() <= kSoundIds)
        return;
    // The first few silent ones and the last.
    std::string names;
    for (std::size_t i = kSoundIds; i < vessels_.size() && i < kSoundIds + 3; ++i)
        names += (names.empty() ? "" : ", ") + vessels_[i]->name;
    if (vessels_.size() > kSoundIds + 3)
        names += (vessels_.size() > kSoundIds + 4 ? ", ... " : ", ") + vessels_.back()->name;
    std::fprintf(stderr,
                 "vesselhost: warning: the sound library has %zu sound ids, one per vessel in "
                 "the order they are created; the %zu vessels after the first %zu stay silent "
                 "(%s)\n",
                 kSoundIds, vessels_.size() - kSoundIds, kSoundIds, names.c_str());
}

void ScenarioRun::Check()
{
    InFolder inRoot(root_);
    SetUp(nullptr);
    sim_.Reset();
}

void ScenarioRun::Run()
{
    // Outputs first: a folder that cannot take them stops the run before it starts.
    for (const std::string *path : {&options_.trace, &options_.telemetry})
        if (!path->empty())
            OutputStream::CheckName(*path);
    if (!options_.trace.empty())
        traceFile_ = OutputStream::For(std::make_unique<OutputFile>(options_.trace, true));
    if (!options_.telemetry.empty())
        telemetryFile_ = std::make_unique<OutputFile>(options_.telemetry, true);
    std::unique_ptr<OutputFile> audioFile;
    if (!options_.audio.empty())
        audioFile = std::make_unique<OutputFile>(options_.audio);
    OpenPictures();
    if (!options_.summary.empty())
        summaryFile_ = std::make_unique<OutputFile>(options_.summary);
    if (!options_.report.empty()) {
        if (!ReportPagesAvailable())
            throw host::Error(options_.report + ": this build of vesselhost has no report page "
                                                "(it was built without node, npm or zlib)");
        reportFile_ = std::make_unique<OutputFile>(options_.report);
    }

    InFolder inRoot(root_); // the modules write their sound log relative to it
    SetUp(std::move(audioFile));
    summary_ = std::make_unique<RunSummary>(sim_.Vessels());
    if (telemetryFile_)
        telemetry_ = std::make_unique<TelemetryWriter>(OutputStream::For(std::move(telemetryFile_)),
                                                       sim_.Vessels(), options_.telemetryVessels);
    Drain();

    const std::int64_t steps = scenario_.StepCount();
    const double dt = scenario_.step;
    if (reportFile_) {
        report_ = std::make_unique<ReportRecorder>(sim_.Vessels(), steps, dt);
        report_->Start(sim_.Vessels());
    }
    std::size_t next = 0;
    std::vector<RunSummary::Note> notes;
    progress_ = std::make_unique<ProgressBar>(options_.progress);
    // A picture at the start shows the vessels as created.
    while (nextPicture_ < pictures_.size() && pictures_[nextPicture_].t <= dt * kTimeTolerance)
        DrawPicture(pictures_[nextPicture_++]);
    for (std::int64_t k = 0; k < steps; ++k) {
        double stepStart = sim_.SimTime();
        double due = stepStart + dt * kTimeTolerance;
        for (VesselInput &input : input_)
            for (Held *held : {&input.main, &input.retro, &input.yaw, &input.airspeed,
                               &input.airVector})
                held->ExpireBy(due);
        while (next < scenario_.events.size() && scenario_.events[next].time <= due)
            Deliver(scenario_.events[next++], stepStart);
        ApplyInput();
        sim_.Step(dt);
        Drain();
        if (telemetry_ && (k + 1) % options_.telemetryEvery == 0)
            for (host::Vessel *vessel : vessels_)
                telemetry_->Row(k, sim_.SimTime(), *vessel);
        if (report_)
            report_->AfterStep(k, sim_.SimTime(), sim_.Vessels());
        notes.clear();
        summary_->AfterStep(stepStart, sim_.SimTime(), sim_.Vessels(), notes);
        for (const RunSummary::Note &note : notes)
            Note(note.t, note.text);
        progress_->Update("running the scenario", double(k + 1) / double(steps), sim_.SimTime());
        while (nextPicture_ < pictures_.size() &&
               pictures_[nextPicture_].t <= sim_.SimTime() + dt * kTimeTolerance)
            DrawPicture(pictures_[nextPicture_++]);
    }
    Finish();
}

std::string TimeText(double t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gs", t);
    return text;
}

void ScenarioRun::OpenPictures()
{
    if (options_.picture.empty())
        return;
    double end = double(scenario_.StepCount()) * scenario_.step;
    const std::vector<RunOptions::PictureFile> files = options_.Pictures();
    for (const RunOptions::PictureFile &file : files)
        if (file.t && !(*file.t >= 0 && *file.t <= end + scenario_.step * kTimeTolerance))
            throw host::Error("--picture-at " + TimeText(*file.t) + ": not within the run (0 to " +
                              TimeText(end) + ")");
    for (const RunOptions::PictureFile &file : files)
        pictures_.push_back({file.t.value_or(end), std::make_unique<OutputFile>(file.path)});
}

// Drawn into its temporary file, which takes its name only when the whole run succeeded.
void ScenarioRun::DrawPicture(Picture &picture)
{
    picture.file->Close();
    std::vector<const host::Vessel *> vessels(vessels_.begin(), vessels_.end());
    std::string name = std::filesystem::path(picture.file->Path()).filename().string();
    double t = sim_.SimTime();
    try {
        RenderPicture(vessels, picture.file->TemporaryPath(), [&](const char *what, double done) {
            progress_->Update(name + ": " + what, done, t);
        });
    } catch (const host::Error &e) {
        throw OutputError(e.what());
    }
}

void ScenarioRun::Finish()
{
    // Every output is completed before any takes its name, so that one that cannot be
    // written leaves no output of the run behind.
    std::vector<OutputFile *> outputs;
    for (; nextPicture_ < pictures_.size(); ++nextPicture_)
        DrawPicture(pictures_[nextPicture_]);
    for (Picture &picture : pictures_)
        outputs.push_back(picture.file.get());
    if (recording_) {
        recording_->End();
        outputs.push_back(&recording_->File());
    }
    if (report_) {
        std::size_t focus = scenario_.focus;
        for (std::size_t i = 0; i < vessels_.size(); ++i)
            if (vessels_[i] == sim_.Focus())
                focus = i;
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
    for (OutputFile *output : outputs)
        output->Commit();
    if (!options_.quiet)
        summary_->Print(out_, sim_.Vessels());
    sim_.Reset();
}

} // namespace

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

std::vector<OutputRequest> RunOptions::Outputs() const
{
    std::vector<OutputRequest> outputs = {
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
    return std::ranges::any_of(Outputs(), [](const OutputRequest &output) {
        return output.toStandardOutput && output.path == "-";
    });
}

void RunScenario(const host::Scenario &scenario, const std::string &root,
                 const RunOptions &options, std::FILE *out)
{
    RequireRoot(root);
    std::vector<std::string> inputs = {ModuleDirectory(root), (fs::path(root) / "Meshes").string(),
                                       (fs::path(root) / "Sound").string(), SoundLibraryPath(root)};
    std::error_code error;
    if (fs::is_regular_file(scenario.file, error))
        inputs.push_back(scenario.file);
    CheckOutputs(options.Outputs(), inputs);
    host::CheckClasses(scenario, ClassesIn(ModuleDirectory(root)), ModuleDirectory(root));
    SignalCleanup signals;
    try {
        ScenarioRun(scenario, root, options, out).Run();
    } catch (...) {
        host::Simulator::Get().Reset();
        throw;
    }
}

void CheckScenario(const host::Scenario &scenario, const std::string &root)
{
    RequireRoot(root);
    host::CheckClasses(scenario, ClassesIn(ModuleDirectory(root)), ModuleDirectory(root));
    try {
        ScenarioRun(scenario, root, RunOptions{}, stdout).Check();
    } catch (...) {
        host::Simulator::Get().Reset();
        throw;
    }
}

} // namespace vesselhost
