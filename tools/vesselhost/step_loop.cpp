// The run's steps: the input due delivered, then one pass over the fleet in which each
// vessel gets its driver's controls, is moved, steps and is summed up while its state
// is in cache; then the outputs of the step.
#include "host/base/host_error.h"
#include "tools/vesselhost/building.h"
#include "tools/vesselhost/event_text.h"
#include "tools/vesselhost/scenario_runner.h"

namespace vesselhost {

void ScenarioRun::Run()
{
    OpenOutputs();
    InFolder inRoot(root_); // the modules write their sound log relative to it
    SetUp(!options_.audio.empty());
    StartOutputs();
    progress_ = std::make_unique<ProgressBar>(options_.progress);
    Building building("the run's records (its trace, telemetry, report and sound)");
    // A picture at the start shows the vessels as created.
    DrawPicturesDue(0);
    const std::int64_t steps = scenario_.StepCount();
    for (std::int64_t k = 0; k < steps; ++k)
        Step(k);
    Finish();
}

void ScenarioRun::Step(std::int64_t k)
{
    static const std::string kRunning = "running the scenario";
    const double dt = scenario_.step;
    const double stepStart = sim_.SimTime();
    const double due = host::DueBy(stepStart, dt);
    input_->ExpireBy(due);
    while (nextEvent_ < scenario_.events.size() && scenario_.events[nextEvent_].time <= due)
        Deliver(scenario_.events[nextEvent_++], stepStart);
    if (!scenario_.physics)
        input_->HandOverReadings(vessels_);

    // Ship indices are the vessels' ids: the run creates them, in order, in a fresh
    // simulator.
    notes_.clear();
    sim_.Step(
        dt,
        [&](host::Vessel &vessel) { input_->DriverOf(std::size_t(vessel.id)).HandOver(vessel); },
        [&](const host::Vessel &vessel) {
            summary_->AfterStep(vessel, stepStart, sim_.SimTime(), notes_);
        });

    Drain();
    if (telemetry_ && (k + 1) % options_.telemetryEvery == 0)
        for (host::Vessel *vessel : vessels_)
            telemetry_->Row(k, sim_.SimTime(), *vessel);
    if (report_)
        report_->AfterStep(k, sim_.SimTime(), sim_.Vessels());
    for (const RunSummary::Note &note : notes_)
        Note(note.t, note.text);
    progress_->Update(kRunning, double(k + 1) / double(scenario_.StepCount()), sim_.SimTime());
    DrawPicturesDue(sim_.SimTime());
}

void ScenarioRun::Note(double t, const std::string &text)
{
    if (options_.log)
        std::fprintf(out_, "%9.2f s  %s\n", t, text.c_str());
}

void ScenarioRun::Deliver(const host::ScenarioEvent &event, double stepStart)
{
    host::Vessel &vessel = *vessels_[event.vessel];
    std::string what;
    if (ScenarioInput::Holds(event))
        input_->Hold(event);
    switch (event.action) {
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
    default:
        break;
    }
    if (options_.log)
        Note(stepStart, Describe(event, vessel.name) + what);
}

} // namespace vesselhost
